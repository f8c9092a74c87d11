#include "bench/LetterSearchBench.h"
#include "bench/Statistics.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>
#include <exception>
#include <vector>

// bench_directory --folder DIR --name NAME
//   opens the directory's main window on DIR and types NAME into the employee search field, key by key; prints
//     scenario=search_key ours_ms=<median per key> max_ms=<slowest key> keys=<n>
//   (NAME must be an employee's name: the search must end on it).
// bench_directory --folder DIR --letter L [--samples N]
//   fills and shows the employee letter list for L, N times (default 5) after one untimed fill; prints
//     scenario=letter_fill ours_ms=<median> grid_ms=<median> rest_ms=<median> rows=<n>
//   where ours_ms is the list shown with its first screen, grid_ms the same grid started from the same rows held in
//   memory, and rest_ms the reading of the rows past the first screen (as scrolling to the end does).
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Exit code 0 measured, 1 failed (the reason
// on standard error), 2 bad arguments.
int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption nameOption(QStringLiteral("name"), QString(), QStringLiteral("name"));
    const QCommandLineOption letterOption(QStringLiteral("letter"), QString(), QStringLiteral("letter"));
    const QCommandLineOption samplesOption(
        QStringLiteral("samples"), QString(), QStringLiteral("n"), QStringLiteral("5"));
    parser.addOptions({ folderOption, nameOption, letterOption, samplesOption });
    bool samplesOk = false;
    const bool parsed = parser.parse(QApplication::arguments());
    const int samples = parser.value(samplesOption).toInt(&samplesOk);
    const QString letter = parser.value(letterOption);
    const bool oneScenario = parser.isSet(nameOption) != parser.isSet(letterOption);
    const bool letterOk = !parser.isSet(letterOption)
        || (letter.size() == 1 && letter.at(0).toUpper() >= u'A' && letter.at(0).toUpper() <= u'Z');
    if (!parsed || !parser.isSet(folderOption) || !oneScenario || !letterOk || !samplesOk || samples < 1
        || !parser.positionalArguments().isEmpty()) {
        err << "Usage: bench_directory --folder DIR (--name NAME | --letter L [--samples N])\n";
        return 2;
    }

    try {
        LetterSearchBench bench(parser.value(folderOption));
        if (parser.isSet(nameOption)) {
            const std::vector<double> keys = bench.typeName(parser.value(nameOption));
            out << "scenario=search_key ours_ms=" << Statistics::fixed(Statistics::median(keys))
                << " max_ms=" << Statistics::fixed(*std::max_element(keys.begin(), keys.end()))
                << " keys=" << keys.size() << '\n';
        } else {
            qint64 rows = 0;
            bench.fillLetterList(letter.at(0), rows);
            std::vector<double> fills;
            std::vector<double> rests;
            std::vector<double> grids;
            for (int sample = 0; sample < samples; ++sample) {
                fills.push_back(bench.fillLetterList(letter.at(0), rows));
                rests.push_back(bench.restMs());
                grids.push_back(bench.fillGridFromMemory());
            }
            out << "scenario=letter_fill ours_ms=" << Statistics::fixed(Statistics::median(fills))
                << " grid_ms=" << Statistics::fixed(Statistics::median(grids))
                << " rest_ms=" << Statistics::fixed(Statistics::median(rests)) << " rows=" << rows << '\n';
        }
    } catch (const std::exception& error) {
        err << "bench_directory: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}
