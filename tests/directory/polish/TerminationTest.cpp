// The directory program ended by a signal, as a desktop logging out or `kill` ends it: real programs, the directory
// and the list printer, each in its own process.
#include "DirectoryTestEnvironment.h"
#include "PeerProcess.h"

#include "common/ProgramLinks.h"
#include "platform/os/WindowDirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>

namespace {

// A real program of the build, ended with SIGKILL if it still runs when the test ends.
class Program
{
public:
    explicit Program(const QString& name, const QStringList& arguments = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(helperProgram(name), arguments);
        m_process.waitForStarted(processDeadlineMs);
    }
    ~Program()
    {
        m_process.kill();
        m_process.waitForFinished(processDeadlineMs);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    qint64 pid() const { return m_process.processId(); }
    void signal(int number) const { ::kill(static_cast<pid_t>(pid()), number); }
    bool waitForExit()
    {
        return QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, processDeadlineMs);
    }
    bool exitedNormally() const { return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0; }

private:
    QProcess m_process;
};

class TerminationTest : public ::testing::TestWithParam<int>
{
protected:
    bool waitForWindow(const QString& title)
    {
        return QTest::qWaitFor(
            [&] { return m_windows.findWindow(title, Qt::CaseSensitive).has_value(); }, processDeadlineMs);
    }
    QString socketOf(qint64 pid) const
    {
        return m_environment.runtimeFolder() + QStringLiteral("/windows-%1.sock").arg(pid);
    }

    DirectoryTestEnvironment m_environment;
    os::WindowDirectory m_windows { m_environment.runtimeFolder() };
};

TEST_P(TerminationTest, SignalClosesTheDirectoryAsItsWindowWouldAndClearsStaleSockets)
{
    // A program killed earlier left its socket behind.
    PeerProcess killed(m_environment.runtimeFolder());
    ASSERT_TRUE(killed.start({ QStringLiteral("--title"), QStringLiteral("Killed earlier") }));
    const qint64 killedPid = killed.pid();
    killed.kill();
    ASSERT_TRUE(QFile::exists(socketOf(killedPid)));
    ASSERT_EQ(m_environment.savedPrefix(), QStringLiteral("<none>"));

    Program directory(QStringLiteral("Ringfolio"));
    ASSERT_TRUE(waitForWindow(ProgramLinks::MainWindowCaption)) << "the directory did not come up";
    EXPECT_FALSE(QFile::exists(socketOf(killedPid))) << "the stale socket is cleared at start";
    Program listPrinter(QStringLiteral("Printroll"), { QString(ProgramLinks::LaunchToken) });
    ASSERT_TRUE(waitForWindow(ProgramLinks::CompanionWindowCaption)) << "the list printer did not come up";

    directory.signal(GetParam());
    ASSERT_TRUE(directory.waitForExit());
    EXPECT_TRUE(directory.exitedNormally()) << "the directory ended through its close, not by the signal";
    EXPECT_EQ(m_environment.savedPrefix(), QString()) << "the close wrote the dial prefix";
    ASSERT_TRUE(listPrinter.waitForExit()) << "the directory's close tells the list printer to quit";
    EXPECT_TRUE(listPrinter.exitedNormally());
    EXPECT_FALSE(QFile::exists(socketOf(directory.pid()))) << "the directory removed its own socket";
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationTest, ::testing::Values(SIGTERM, SIGINT),
    [](const ::testing::TestParamInfo<int>& info) { return info.param == SIGTERM ? "SIGTERM" : "SIGINT"; });

} // namespace
