#include "bench/BenchCommand.h"
#include "bench/ExportBench.h"
#include "bench/Statistics.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <optional>
#include <vector>

// bench_export --folder DIR --file FILE [--samples N]
//   writes the employee list (list 1) of the directory in DIR to FILE in the comma format, N times (default 3),
//   each from opening the employee query to the file closed, as Printroll's export does. Prints one line for
//   scripts:
//     scenario=export_list1_comma ours_ms=<median> rows=<n> bytes=<n> samples=<N> rss_before_kb=<n> peak_kb=<n>
//     added_mb=<peak minus the resident set before the first sample>
//   The memory figures are those of the first sample. Exit code 0 measured, 1 failed (the reason on standard
//   error), 2 bad arguments.
int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    BenchCommand command(
        QStringLiteral("bench_export"), QStringLiteral("Usage: bench_export --folder DIR --file FILE [--samples N]\n"));
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption fileOption(QStringLiteral("file"), QString(), QStringLiteral("file"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QString(), QStringLiteral("n"));
    const bool parsed = command.parse({ folderOption, fileOption, samplesOption });
    const std::optional<int> samples = command.positiveNumber(samplesOption, 3);
    if (!parsed || !command.isSet(folderOption) || !command.isSet(fileOption) || !samples)
        return command.badArguments();

    return command.run([&](QTextStream& out) {
        ExportBench bench(command.value(folderOption));
        std::vector<double> times;
        ExportBench::Figures first;
        ExportBench::Figures last;
        for (int i = 0; i < *samples; ++i) {
            last = bench.writeEmployeeList(command.value(fileOption));
            if (i == 0)
                first = last;
            times.push_back(last.ms);
        }
        out << "scenario=export_list1_comma ours_ms=" << Statistics::fixed(Statistics::median(times))
            << " rows=" << last.rows << " bytes=" << last.bytes << " samples=" << *samples
            << " rss_before_kb=" << first.residentBeforeKb << " peak_kb=" << first.peakKb
            << " added_mb=" << Statistics::fixed(static_cast<double>(first.peakKb - first.residentBeforeKb) / 1024, 1)
            << '\n';
    });
}
