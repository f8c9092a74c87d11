#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// The os_peer helper program, started in a given runtime folder; ended with SIGKILL if still running at the end.
class PeerProcess
{
public:
    explicit PeerProcess(const QString& runtimeFolder);
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    // Starts the peer and waits until it says "ready" (or, with the given line, that line).
    bool start(const QStringList& arguments, const QString& readyLine = QStringLiteral("ready"));
    bool waitForLine(const QString& line);
    // Waits for the peer to end while this process goes on handling events (the peer may be talking to it).
    bool waitForExit();
    void kill();

    qint64 pid() const { return m_process.processId(); }
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    QStringList lines();

private:
    QProcess m_process;
    QByteArray m_output;
};

// The helper programs beside the test binary, and how long a test waits for another process.
QString helperProgram(const QString& name);
constexpr int processDeadlineMs = 20000;

// The arguments that os_argv_dump wrote to file, waiting for the file to appear.
QStringList waitForDumpedArguments(const QString& file);
// The arguments that os_argv_dump, started by `start` (which says whether it started it), wrote to a file in
// `folder`; ARGV_DUMP_FILE names that file while `start` runs.
QStringList argumentsDumpedBy(const QString& folder, const std::function<bool()>& start);
