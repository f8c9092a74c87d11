#include "bench/WindowProbe.h"

#include "platform/os/WindowDirectory.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

#include <optional>
#include <stdexcept>
#include <utility>

namespace {

// How long a poll waits for the program's end before it asks the directory again: the resolution of the figure
// while the program has not yet published anything. Once it has, a look-up waits for the answer itself.
constexpr int pollWaitMs = 1;

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

// Ends a program that is still running, before its QProcess goes.
void stop(QProcess& process)
{
    process.kill();
    process.waitForFinished();
}

QString exitDescription(const QProcess& process)
{
    return process.exitStatus() == QProcess::CrashExit
        ? QStringLiteral("crashed")
        : QStringLiteral("ended with exit code %1").arg(process.exitCode());
}

} // namespace

WindowProbe::WindowProbe(QString title, int timeoutMs)
    : m_title(std::move(title))
    , m_timeoutMs(timeoutMs)
{
}

WindowProbe::Result WindowProbe::measure(const QString& program, const QStringList& arguments) const
{
    const QString name = QFileInfo(program).fileName();
    // Created before the program starts, so that its own set-up is not timed.
    os::WindowDirectory windows;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    // Kept apart from the script's output; it tells why a program failed.
    QTemporaryFile errorOutput;
    if (!errorOutput.open())
        fail(QStringLiteral("Cannot create a temporary file: %1").arg(errorOutput.errorString()));
    process.setStandardErrorFile(errorOutput.fileName());
    const auto failed = [&](const QString& message) {
        const QString said = QString::fromLocal8Bit(errorOutput.readAll()).trimmed();
        fail(said.isEmpty() ? message : message + QStringLiteral("; its error output:\n") + said);
    };

    QElapsedTimer clock; // monotonic
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted(m_timeoutMs))
        fail(QStringLiteral("%1 cannot be started: %2").arg(program, process.errorString()));
    const qint64 pid = process.processId();

    Result result;
    const QDeadlineTimer deadline(m_timeoutMs);
    std::optional<os::WindowHandle> window;
    for (;;) {
        ++result.polls;
        window = windows.findWindow(m_title, Qt::CaseSensitive);
        // A window of the same title in another program (one left over from an earlier run) is not the one timed.
        if (window && window->process == pid)
            break;
        process.waitForFinished(pollWaitMs);
        if (process.state() == QProcess::NotRunning)
            failed(QStringLiteral("%1 %2 before its window \"%3\" was shown")
                       .arg(name, exitDescription(process), m_title));
        if (deadline.hasExpired()) {
            stop(process);
            failed(
                QStringLiteral("%1 did not show its window \"%2\" within %3 ms").arg(name, m_title).arg(m_timeoutMs));
        }
    }
    result.windowMs = double(clock.nsecsElapsed()) / 1e6;

    if (!windows.postQuit(*window)) {
        stop(process);
        failed(QStringLiteral("%1 did not take the quit posted to its window \"%2\"").arg(name, m_title));
    }
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(m_timeoutMs)) {
        stop(process);
        failed(QStringLiteral("%1 did not end within %2 ms of the quit").arg(name).arg(m_timeoutMs));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        failed(QStringLiteral("%1 %2 after the quit").arg(name, exitDescription(process)));
    return result;
}
