// The directory program ended by a signal, as a desktop logging out or `kill` ends it: real programs, the directory
// and the list printer, each in its own process.
#include "ChildProcess.h"
#include "DirectoryTestEnvironment.h"
#include "PeerProcess.h"

#include "common/ProgramLinks.h"
#include "platform/os/WindowDirectory.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// The environment the real programs run in here: shown off screen.
QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

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

    ChildProcess directory(offscreen());
    ASSERT_TRUE(directory.start(ChildProcess::beside(QStringLiteral("Ringfolio"))));
    ASSERT_TRUE(waitForWindow(ProgramLinks::MainWindowCaption)) << "the directory did not come up";
    EXPECT_FALSE(QFile::exists(socketOf(killedPid))) << "the stale socket is cleared at start";
    ChildProcess listPrinter(offscreen());
    ASSERT_TRUE(
        listPrinter.start(ChildProcess::beside(QStringLiteral("Printroll")), { QString(ProgramLinks::LaunchToken) }));
    ASSERT_TRUE(waitForWindow(ProgramLinks::CompanionWindowCaption)) << "the list printer did not come up";

    ::kill(static_cast<pid_t>(directory.pid()), GetParam());
    ASSERT_TRUE(directory.waitForExit());
    EXPECT_EQ(directory.exitCode(), 0) << "the directory ended through its close, not by the signal";
    EXPECT_EQ(m_environment.savedPrefix(), QString()) << "the close wrote the dial prefix";
    ASSERT_TRUE(listPrinter.waitForExit()) << "the directory's close tells the list printer to quit";
    EXPECT_EQ(listPrinter.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(socketOf(directory.pid()))) << "the directory removed its own socket";
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationTest, ::testing::Values(SIGTERM, SIGINT),
    [](const ::testing::TestParamInfo<int>& info) { return info.param == SIGTERM ? "SIGTERM" : "SIGINT"; });

} // namespace
