#include "bench/BenchCommand.h"
#include "bench/DirectoryWindowBench.h"
#include "bench/Statistics.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>
#include <optional>
#include <vector>

// bench_directory_window --folder DIR [--rounds N]
//   starts the directory program in this process on the directory in DIR, shows its main window, then times the
//   Record menu's Last and First (see DirectoryWindowBench): one round right after the start-up, then N more
//   (default 7). Prints one line for scripts:
//     last_ms=<median> first_ms=<median> cold_last_ms=<first round> cold_first_ms=<first round> rounds=<N>
//   The medians are over the N rounds after the first. Then the name grid's scroll thumb is dragged from top to
//   bottom in 40 steps (see DirectoryWindowBench::dragThumb), adding drag_ms=<median step> drag_max_ms=<slowest>.
//   Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Exit code 0 measured, 1 failed (the
//   reason on standard error), 2 bad arguments.
namespace {

constexpr int dragSteps = 40;

} // namespace

int main(int argc, char* argv[])
{
    BenchCommand::useOffscreenUnlessSet();
    const QApplication application(argc, argv);
    BenchCommand command(QStringLiteral("bench_directory_window"),
        QStringLiteral("Usage: bench_directory_window --folder DIR [--rounds N]\n"));
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption roundsOption(QStringLiteral("rounds"), QString(), QStringLiteral("n"));
    const bool parsed = command.parse({ folderOption, roundsOption });
    const std::optional<int> rounds = command.positiveNumber(roundsOption, 7);
    if (!parsed || !command.isSet(folderOption) || !rounds || !command.parser().positionalArguments().isEmpty())
        return command.badArguments();

    return command.run([&](QTextStream& out) {
        DirectoryWindowBench bench(command.value(folderOption));
        const DirectoryWindowBench::Times cold = bench.lastThenFirst();
        std::vector<double> last;
        std::vector<double> first;
        for (int round = 0; round < *rounds; ++round) {
            const DirectoryWindowBench::Times times = bench.lastThenFirst();
            last.push_back(times.lastMs);
            first.push_back(times.firstMs);
        }
        out << "last_ms=" << Statistics::fixed(Statistics::median(last))
            << " first_ms=" << Statistics::fixed(Statistics::median(first))
            << " cold_last_ms=" << Statistics::fixed(cold.lastMs)
            << " cold_first_ms=" << Statistics::fixed(cold.firstMs) << " rounds=" << *rounds;
        const std::vector<double> drag = bench.dragThumb(dragSteps);
        out << " drag_ms=" << Statistics::fixed(Statistics::median(drag))
            << " drag_max_ms=" << Statistics::fixed(*std::max_element(drag.begin(), drag.end())) << '\n';
    });
}
