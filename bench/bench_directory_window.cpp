#include "bench/DirectoryWindowBench.h"
#include "bench/Statistics.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>
#include <exception>
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
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption roundsOption(
        QStringLiteral("rounds"), QString(), QStringLiteral("n"), QStringLiteral("7"));
    parser.addOptions({ folderOption, roundsOption });
    bool roundsOk = false;
    const bool parsed = parser.parse(QApplication::arguments());
    const int rounds = parser.value(roundsOption).toInt(&roundsOk);
    if (!parsed || !parser.isSet(folderOption) || !roundsOk || rounds < 1 || !parser.positionalArguments().isEmpty()) {
        err << "Usage: bench_directory_window --folder DIR [--rounds N]\n";
        return 2;
    }

    try {
        DirectoryWindowBench bench(parser.value(folderOption));
        const DirectoryWindowBench::Times cold = bench.lastThenFirst();
        std::vector<double> last;
        std::vector<double> first;
        for (int round = 0; round < rounds; ++round) {
            const DirectoryWindowBench::Times times = bench.lastThenFirst();
            last.push_back(times.lastMs);
            first.push_back(times.firstMs);
        }
        out << "last_ms=" << Statistics::fixed(Statistics::median(last))
            << " first_ms=" << Statistics::fixed(Statistics::median(first))
            << " cold_last_ms=" << Statistics::fixed(cold.lastMs)
            << " cold_first_ms=" << Statistics::fixed(cold.firstMs) << " rounds=" << rounds;
        const std::vector<double> drag = bench.dragThumb(dragSteps);
        out << " drag_ms=" << Statistics::fixed(Statistics::median(drag))
            << " drag_max_ms=" << Statistics::fixed(*std::max_element(drag.begin(), drag.end())) << '\n';
    } catch (const std::exception& error) {
        err << "bench_directory_window: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}
