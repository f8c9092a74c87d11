#include "bench/BenchCommand.h"
#include "bench/Statistics.h"
#include "bench/WindowProbe.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <optional>

// bench_window_probe --title TITLE [--timeout-ms N] -- PROGRAM [ARGUMENTS...]
//   starts PROGRAM, waits until its window TITLE is shown (see WindowProbe), posts it a quit, waits for its end and
//   prints one line for scripts:
//     window_ms=<process start to window shown> polls=<look-ups>
//   The window directory is the one of $APP_RUNTIME_DIR, which the program inherits with the rest of the
//   environment. Exit code 0 measured, 1 failed (the reason on standard error), 2 bad arguments.
int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    BenchCommand command(QStringLiteral("bench_window_probe"),
        QStringLiteral("Usage: bench_window_probe --title TITLE [--timeout-ms N] -- PROGRAM [ARGUMENTS...]\n"));
    const QCommandLineOption titleOption(QStringLiteral("title"), QString(), QStringLiteral("title"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout-ms"), QString(), QStringLiteral("n"));
    const bool parsed = command.parse({ titleOption, timeoutOption });
    const std::optional<int> timeoutMs = command.positiveNumber(timeoutOption, 30000);
    const QStringList program = command.parser().positionalArguments();
    if (!parsed || !command.isSet(titleOption) || !timeoutMs || program.isEmpty())
        return command.badArguments();

    return command.run([&](QTextStream& out) {
        const WindowProbe::Result result
            = WindowProbe(command.value(titleOption), *timeoutMs).measure(program.first(), program.mid(1));
        out << "window_ms=" << Statistics::fixed(result.windowMs) << " polls=" << result.polls << '\n';
    });
}
