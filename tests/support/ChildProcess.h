#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// A program a test runs as a process of its own, its output and error output read together; killed if it still
// runs when the test ends. Every wait ends at the deadline.
class ChildProcess
{
public:
    static constexpr int deadlineMs = 20000;

    explicit ChildProcess(
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(), int deadline = deadlineMs);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // A program file beside the test binary.
    static QString beside(const QString& name);
    // The id of a process that has ended (a child that exited at once and was waited for), as names carry it.
    static QString endedProcessId();

    bool start(const QString& programFile, const QStringList& arguments = {});
    // Runs this test binary again to play the role named (ChildRole): the other side of a test.
    bool startRole(const QString& role);

    bool waitForOutput(const QString& text);
    bool waitForExit();
    void writeLine(const QByteArray& line);
    void kill();

    bool running() const;
    // The exit code of a process that ended by itself, or -1.
    int exitCode() const;
    qint64 pid() const { return m_process.processId(); }
    QString output();

private:
    bool waitUntil(const std::function<bool()>& condition);

    QProcess m_process;
    QByteArray m_output;
    const int m_deadlineMs;
    bool m_started = false;
};
