#include "bench/BenchCommand.h"
#include "bench/ReportBench.h"
#include "bench/Statistics.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <optional>
#include <vector>

// bench_report pdf --layout ext|list --folder DIR [--samples N] [--work DIR]
//   writes the extended list (ext) or the employee list (list) of the directory in DIR to a PDF file in the work
//   folder (default a temporary one), N times (default 1), each from opening the employee query to the file
//   written. Prints one line for scripts:
//     scenario=report_pdf_ext ours_ms=<median ms per row> total_ms=<median> rows=<n> pages=<n> samples=<N>
//     rss_before_kb=<n> peak_kb=<n> added_mb=<peak minus the resident set before the first sample>
//   The memory figures are those of the first sample.
// bench_report preview --layout ext|list --folder DIR [--samples N]
//   times, N times (default 5), from opening the employee query to the preview window shown with its first page
//   painted: scenario=report_first_preview_page_ext ours_ms=<median> samples=<N>
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Exit code 0 measured, 1 failed (the reason
// on standard error), 2 bad arguments.
int main(int argc, char* argv[])
{
    BenchCommand::useOffscreenUnlessSet();
    const QApplication application(argc, argv);
    BenchCommand command(QStringLiteral("bench_report"),
        QStringLiteral("Usage: bench_report pdf|preview --layout ext|list --folder DIR [--samples N] [--work DIR]\n"));
    const QCommandLineOption layoutOption(QStringLiteral("layout"), QString(), QStringLiteral("name"));
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QString(), QStringLiteral("n"));
    const QCommandLineOption workOption(QStringLiteral("work"), QString(), QStringLiteral("dir"));
    const bool parsed = command.parse({ layoutOption, folderOption, samplesOption, workOption });
    const QStringList positional = command.parser().positionalArguments();
    const QString scenario = positional.value(0);
    ReportBench::Layout layout = ReportBench::Layout::Extended;
    const std::optional<int> samples = command.positiveNumber(samplesOption, scenario == u"preview" ? 5 : 1);
    if (!parsed || positional.size() != 1 || (scenario != u"pdf" && scenario != u"preview")
        || !ReportBench::parseLayout(command.value(layoutOption), layout) || !command.isSet(folderOption) || !samples)
        return command.badArguments();

    return command.run([&](QTextStream& out) {
        ReportBench bench(command.value(folderOption));
        const QString layoutName = command.value(layoutOption);
        if (scenario == u"preview") {
            std::vector<double> times;
            for (int i = 0; i < *samples; ++i)
                times.push_back(bench.firstPreviewPageMs(layout));
            out << "scenario=report_first_preview_page_" << layoutName
                << " ours_ms=" << Statistics::fixed(Statistics::median(times)) << " samples=" << *samples << '\n';
            return;
        }

        const QTemporaryDir temporary;
        const QString work = command.isSet(workOption) ? command.value(workOption) : temporary.path();
        const QString pdf = QDir(work).filePath(QStringLiteral("bench_report_%1.pdf").arg(layoutName));
        std::vector<double> totals;
        ReportBench::PdfFigures first;
        ReportBench::PdfFigures last;
        for (int i = 0; i < *samples; ++i) {
            last = bench.writePdf(layout, pdf);
            if (i == 0)
                first = last;
            totals.push_back(last.ms);
        }
        QFile::remove(pdf);
        const double total = Statistics::median(totals);
        out << "scenario=report_pdf_" << layoutName
            << " ours_ms=" << Statistics::fixed(total / std::max<qint64>(1, last.rows), 6)
            << " total_ms=" << Statistics::fixed(total) << " rows=" << last.rows << " pages=" << last.pages
            << " samples=" << *samples << " rss_before_kb=" << first.residentBeforeKb << " peak_kb=" << first.peakKb
            << " added_mb=" << Statistics::fixed(static_cast<double>(first.peakKb - first.residentBeforeKb) / 1024, 1)
            << '\n';
    });
}
