#include "PeerProcess.h"

#include "ScopedEnvironmentVariable.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcessEnvironment>
#include <QTest>

PeerProcess::PeerProcess(const QString& runtimeFolder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("APP_RUNTIME_DIR"), runtimeFolder);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process.setProcessEnvironment(environment);
}

PeerProcess::~PeerProcess()
{
    kill();
}

bool PeerProcess::start(const QStringList& arguments, const QString& readyLine)
{
    m_process.start(helperProgram(QStringLiteral("os_peer")), arguments);
    return m_process.waitForStarted(processDeadlineMs) && waitForLine(readyLine);
}

bool PeerProcess::waitForLine(const QString& line)
{
    // Events go on being handled: the peer may be asking this process about its windows meanwhile.
    return QTest::qWaitFor([&] { return lines().contains(line); }, processDeadlineMs);
}

bool PeerProcess::waitForExit()
{
    return QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, processDeadlineMs);
}

void PeerProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(processDeadlineMs);
}

QStringList PeerProcess::lines()
{
    m_output += m_process.readAllStandardOutput();
    return QString::fromLocal8Bit(m_output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString helperProgram(const QString& name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

QStringList argumentsDumpedBy(const QString& folder, const std::function<bool()>& start)
{
    const QString file = folder + QStringLiteral("/arguments");
    {
        const ScopedEnvironmentVariable dumpTo("ARGV_DUMP_FILE", file);
        if (!start())
            return { QStringLiteral("<not started>") };
    }
    return waitForDumpedArguments(file);
}

QStringList waitForDumpedArguments(const QString& file)
{
    if (!QTest::qWaitFor([&] { return QFile::exists(file); }, processDeadlineMs))
        return { QStringLiteral("<no argument file>") };
    QFile dump(file);
    if (!dump.open(QIODevice::ReadOnly))
        return { QStringLiteral("<unreadable argument file>") };
    QStringList arguments;
    for (const QByteArray& argument : dump.readAll().split('\0'))
        arguments.append(QString::fromUtf8(argument));
    arguments.removeLast(); // after the last NUL
    return arguments;
}
