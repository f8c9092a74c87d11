#include "bench/BenchCommand.h"
#include "bench/LetterSearchBench.h"
#include "bench/Statistics.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>
#include <optional>
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
    BenchCommand::useOffscreenUnlessSet();
    const QApplication application(argc, argv);
    BenchCommand command(QStringLiteral("bench_directory"),
        QStringLiteral("Usage: bench_directory --folder DIR (--name NAME | --letter L [--samples N])\n"));
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption nameOption(QStringLiteral("name"), QString(), QStringLiteral("name"));
    const QCommandLineOption letterOption(QStringLiteral("letter"), QString(), QStringLiteral("letter"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QString(), QStringLiteral("n"));
    const bool parsed = command.parse({ folderOption, nameOption, letterOption, samplesOption });
    const std::optional<int> samples = command.positiveNumber(samplesOption, 5);
    const QString letter = command.value(letterOption);
    const bool oneScenario = command.isSet(nameOption) != command.isSet(letterOption);
    const bool letterOk = !command.isSet(letterOption)
        || (letter.size() == 1 && letter.at(0).toUpper() >= u'A' && letter.at(0).toUpper() <= u'Z');
    if (!parsed || !command.isSet(folderOption) || !oneScenario || !letterOk || !samples
        || !command.parser().positionalArguments().isEmpty())
        return command.badArguments();

    return command.run([&](QTextStream& out) {
        LetterSearchBench bench(command.value(folderOption));
        if (command.isSet(nameOption)) {
            const std::vector<double> keys = bench.typeName(command.value(nameOption));
            out << "scenario=search_key ours_ms=" << Statistics::fixed(Statistics::median(keys))
                << " max_ms=" << Statistics::fixed(*std::max_element(keys.begin(), keys.end()))
                << " keys=" << keys.size() << '\n';
            return;
        }
        qint64 rows = 0;
        bench.fillLetterList(letter.at(0), rows);
        std::vector<double> fills;
        std::vector<double> rests;
        std::vector<double> grids;
        for (int sample = 0; sample < *samples; ++sample) {
            fills.push_back(bench.fillLetterList(letter.at(0), rows));
            rests.push_back(bench.restMs());
            grids.push_back(bench.fillGridFromMemory());
        }
        out << "scenario=letter_fill ours_ms=" << Statistics::fixed(Statistics::median(fills))
            << " grid_ms=" << Statistics::fixed(Statistics::median(grids))
            << " rest_ms=" << Statistics::fixed(Statistics::median(rests)) << " rows=" << rows << '\n';
    });
}
