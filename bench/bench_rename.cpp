#include "bench/BenchCommand.h"
#include "bench/RenameBench.h"
#include "bench/Statistics.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <chrono>
#include <optional>
#include <vector>

// bench_rename --make FOLDER
//   writes a directory of 1,000,000 employees in 10 departments of 100,000 into FOLDER (bench data only).
// bench_rename --folder DIR --from A --to B [--samples N] [--reps N]
//   renames department A to B and back, in turn, as the department editor posts a rename (the department row and
//   its employees in one transaction), after one untimed rename; prints
//     scenario=rename ours_ms=<median over the samples of the mean rename of a sample> rows=<employees moved>
//   The folder should be a work copy: it is left renamed one way or the other.
// Exit code 0 done, 1 failed (the reason on standard error), 2 bad arguments.
int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    BenchCommand command(QStringLiteral("bench_rename"),
        QStringLiteral("Usage: bench_rename --make FOLDER\n"
                       "       bench_rename --folder DIR --from A --to B [--samples N] [--reps N]\n"));
    const QCommandLineOption makeOption(QStringLiteral("make"), QString(), QStringLiteral("folder"));
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption fromOption(QStringLiteral("from"), QString(), QStringLiteral("name"));
    const QCommandLineOption toOption(QStringLiteral("to"), QString(), QStringLiteral("name"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QString(), QStringLiteral("n"));
    const QCommandLineOption repsOption(QStringLiteral("reps"), QString(), QStringLiteral("n"));
    const bool parsed = command.parse({ makeOption, folderOption, fromOption, toOption, samplesOption, repsOption });
    const std::optional<int> samples = command.positiveNumber(samplesOption, 3);
    const std::optional<int> reps = command.positiveNumber(repsOption, 2);
    const bool make = command.isSet(makeOption);
    const bool measure = command.isSet(folderOption) && command.isSet(fromOption) && command.isSet(toOption);
    if (!parsed || make == measure || !samples || !reps)
        return command.badArguments();

    return command.run([&](QTextStream& out) {
        if (make) {
            RenameBench::makeDirectory(command.value(makeOption));
            return;
        }
        RenameBench bench(command.value(folderOption), command.value(fromOption), command.value(toOption));
        using Clock = std::chrono::steady_clock;
        qint64 rows = bench.renameOnce();
        std::vector<double> means;
        for (int sample = 0; sample < *samples; ++sample) {
            const Clock::time_point start = Clock::now();
            for (int rep = 0; rep < *reps; ++rep)
                rows = bench.renameOnce();
            means.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() / *reps);
        }
        out << "scenario=rename ours_ms=" << Statistics::fixed(Statistics::median(means)) << " rows=" << rows
            << " samples=" << *samples << " reps=" << *reps << '\n';
    });
}
