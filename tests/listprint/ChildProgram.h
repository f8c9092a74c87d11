#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

// A program beside the test binary, started with its output and error output together; killed if it still runs
// when the test ends. The waits go on handling the test's own events.
class ChildProgram
{
public:
    static constexpr int deadlineMs = 20000;

    explicit ChildProgram(const QProcessEnvironment& environment)
    {
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }
    ~ChildProgram()
    {
        m_process.kill();
        m_process.waitForFinished(deadlineMs);
    }
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    static QString program(const QString& name) { return QCoreApplication::applicationDirPath() + u'/' + name; }

    bool start(const QString& name, const QStringList& arguments)
    {
        m_process.start(program(name), arguments);
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
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    bool exitedNormally() const { return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0; }
    QString output()
    {
        m_output += m_process.readAll();
        return QString::fromLocal8Bit(m_output);
    }

private:
    QProcess m_process;
    QByteArray m_output;
};
