#include "bench/WindowProbe.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <exception>

// bench_window_probe --title TITLE [--timeout-ms N] -- PROGRAM [ARGUMENTS...]
//   starts PROGRAM, waits until its window TITLE is shown (see WindowProbe), posts it a quit, waits for its end and
//   prints one line for scripts:
//     window_ms=<process start to window shown> polls=<look-ups>
//   The window directory is the one of $APP_RUNTIME_DIR, which the program inherits with the rest of the
//   environment. Exit code 0 measured, 1 failed (the reason on standard error), 2 bad arguments.
int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption titleOption(QStringLiteral("title"), QString(), QStringLiteral("title"));
    const QCommandLineOption timeoutOption(
        QStringLiteral("timeout-ms"), QString(), QStringLiteral("n"), QStringLiteral("30000"));
    parser.addOptions({ titleOption, timeoutOption });
    bool timeoutOk = false;
    const bool parsed = parser.parse(QCoreApplication::arguments());
    const int timeoutMs = parser.value(timeoutOption).toInt(&timeoutOk);
    const QStringList command = parser.positionalArguments();
    if (!parsed || !parser.isSet(titleOption) || !timeoutOk || timeoutMs < 1 || command.isEmpty()) {
        err << "Usage: bench_window_probe --title TITLE [--timeout-ms N] -- PROGRAM [ARGUMENTS...]\n";
        return 2;
    }

    try {
        const WindowProbe::Result result
            = WindowProbe(parser.value(titleOption), timeoutMs).measure(command.first(), command.mid(1));
        out << "window_ms=" << QString::number(result.windowMs, 'f', 3) << " polls=" << result.polls << '\n';
    } catch (const std::exception& error) {
        err << "bench_window_probe: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}
