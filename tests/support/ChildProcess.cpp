#include "ChildProcess.h"

#include "ChildRole.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QtCore/qtestsupport_core.h>

#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Without a QCoreApplication, QCoreApplication's own paths are empty.
QString thisTestBinary()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

ChildProcess::ChildProcess(const QProcessEnvironment& environment, int deadline)
    : m_deadlineMs(deadline)
{
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

ChildProcess::~ChildProcess()
{
    kill();
}

QString ChildProcess::endedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return QString::number(child);
}

QString ChildProcess::beside(const QString& name)
{
    return QFileInfo(thisTestBinary()).dir().filePath(name);
}

bool ChildProcess::start(const QString& programFile, const QStringList& arguments)
{
    m_process.start(programFile, arguments);
    m_started = m_process.waitForStarted(m_deadlineMs);
    return m_started;
}

bool ChildProcess::startRole(const QString& role)
{
    return start(thisTestBinary(), { ChildRole::argument(role) });
}

bool ChildProcess::waitForOutput(const QString& text)
{
    return waitUntil([&] { return output().contains(text); });
}

bool ChildProcess::waitForExit()
{
    return waitUntil([this] { return !running(); });
}

void ChildProcess::writeLine(const QByteArray& line)
{
    m_process.write(line + '\n');
}

void ChildProcess::kill()
{
    if (!running())
        return;
    m_process.kill();
    m_process.waitForFinished(m_deadlineMs);
}

bool ChildProcess::running() const
{
    return m_process.state() != QProcess::NotRunning;
}

int ChildProcess::exitCode() const
{
    const bool endedByItself = m_started && !running() && m_process.exitStatus() == QProcess::NormalExit;
    return endedByItself ? m_process.exitCode() : -1;
}

QString ChildProcess::output()
{
    m_output += m_process.readAll();
    return QString::fromLocal8Bit(m_output);
}

bool ChildProcess::waitUntil(const std::function<bool()>& condition)
{
    // With an application, the test's own events go on being handled: the child may be talking to this process.
    if (QCoreApplication::instance())
        return QTest::qWaitFor(condition, m_deadlineMs);
    // Without one, only a blocking read moves the child's output and end along.
    const QDeadlineTimer deadline(m_deadlineMs);
    while (!condition()) {
        if (!running() || deadline.hasExpired())
            return condition();
        m_process.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
    }
    return true;
}
