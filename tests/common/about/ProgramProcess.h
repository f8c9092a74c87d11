#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

// One of the programs run as a process of its own, its output and error output together (the About window's traces
// included); killed if it still runs when the test ends. The waits go on handling this process's events.
class ProgramProcess
{
public:
    static constexpr int deadlineMs = 20000;

    explicit ProgramProcess(QProcessEnvironment environment)
    {
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("ringfolio.about.info=true"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }
    ~ProgramProcess() { kill(); }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // A program beside the test binary, or any program file by its path.
    static QString beside(const QString& name) { return QCoreApplication::applicationDirPath() + u'/' + name; }

    bool start(const QString& programFile, const QStringList& arguments = {})
    {
        m_process.start(programFile, arguments);
        return m_process.waitForStarted(deadlineMs);
    }
    bool waitForOutput(const QString& text)
    {
        return QTest::qWaitFor([&] { return output().contains(text); }, deadlineMs);
    }
    bool waitForExit()
    {
        return QTest::qWaitFor([this] { return !running(); }, deadlineMs);
    }
    void writeLine(const QByteArray& line) { m_process.write(line + '\n'); }
    void kill()
    {
        if (!running())
            return;
        m_process.kill();
        m_process.waitForFinished(deadlineMs);
    }
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    bool exitedWithZero() const { return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0; }
    qint64 pid() const { return m_process.processId(); }
    QString output()
    {
        m_output += m_process.readAll();
        return QString::fromLocal8Bit(m_output);
    }

private:
    QProcess m_process;
    QByteArray m_output;
};
