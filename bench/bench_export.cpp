#include "bench/ExportBench.h"
#include "bench/Statistics.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <exception>
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
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption fileOption(QStringLiteral("file"), QString(), QStringLiteral("file"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QString(), QStringLiteral("n"));
    parser.addOptions({ folderOption, fileOption, samplesOption });
    bool samplesOk = true;
    const bool parsed = parser.parse(QCoreApplication::arguments());
    const int samples = parser.isSet(samplesOption) ? parser.value(samplesOption).toInt(&samplesOk) : 3;
    if (!parsed || !parser.isSet(folderOption) || !parser.isSet(fileOption) || !samplesOk || samples < 1) {
        err << "Usage: bench_export --folder DIR --file FILE [--samples N]\n";
        return 2;
    }

    try {
        ExportBench bench(parser.value(folderOption));
        std::vector<double> times;
        ExportBench::Figures first;
        ExportBench::Figures last;
        for (int i = 0; i < samples; ++i) {
            last = bench.writeEmployeeList(parser.value(fileOption));
            if (i == 0)
                first = last;
            times.push_back(last.ms);
        }
        out << "scenario=export_list1_comma ours_ms=" << Statistics::fixed(Statistics::median(times))
            << " rows=" << last.rows << " bytes=" << last.bytes << " samples=" << samples
            << " rss_before_kb=" << first.residentBeforeKb << " peak_kb=" << first.peakKb
            << " added_mb=" << Statistics::fixed(static_cast<double>(first.peakKb - first.residentBeforeKb) / 1024, 1)
            << '\n';
    } catch (const std::exception& error) {
        err << "bench_export: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}
