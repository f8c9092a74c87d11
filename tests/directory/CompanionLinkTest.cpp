#include "MainWindowFixture.h"
#include "PeerProcess.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace {

const QString companionTitle = QStringLiteral("Printroll for Ringfolio 2.5");

// The list printer of these tests: a program that writes down its arguments and shows no window, placed where the
// directory program looks for "Printroll.exe".
class CompanionLinkTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        const QString companion = QDir(m_environment.programFolder()).filePath(QStringLiteral("Printroll"));
        ASSERT_TRUE(QFile::copy(helperProgram(QStringLiteral("os_argv_dump")), companion));
    }

    // The file the next start of the list printer writes its arguments to.
    QString expectStartIn(const char* name)
    {
        const QString file = m_environment.path(QLatin1String(name));
        m_environment.setVariable("ARGV_DUMP_FILE", file);
        return file;
    }
};

TEST_F(CompanionLinkTest, GoToPrintrollStartsItWithTheLaunchWord)
{
    TfrmMain& main = start();
    const QString arguments = expectStartIn("arguments");
    QTest::keyClick(&main, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(waitForDumpedArguments(arguments), QStringList { QStringLiteral("Tesk") });
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(CompanionLinkTest, GoToPrintrollOnlyRaisesARunningPrintroll)
{
    TfrmMain& main = start();
    PeerProcess companion(m_environment.runtimeFolder());
    ASSERT_TRUE(companion.start({ QStringLiteral("--title"), companionTitle }));

    const QString whileRunning = expectStartIn("started-while-running");
    main.PrintListing1->trigger();

    // Once it has ended, the same command starts it: the start that follows shows that the one before started
    // nothing.
    companion.kill();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_windows.findWindow(companionTitle); }, processDeadlineMs));
    const QString afterwards = expectStartIn("started-afterwards");
    main.PrintListing1->trigger();
    EXPECT_EQ(waitForDumpedArguments(afterwards), QStringList { QStringLiteral("Tesk") });
    EXPECT_FALSE(QFile::exists(whileRunning));
}

TEST_F(CompanionLinkTest, ClosingTellsARunningPrintrollToQuitWithoutItsCloseHandling)
{
    start();
    PeerProcess companion(m_environment.runtimeFolder());
    ASSERT_TRUE(companion.start({ QStringLiteral("--title"), companionTitle }));

    EXPECT_TRUE(closeWindow());
    ASSERT_TRUE(companion.waitForExit());
    EXPECT_EQ(companion.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(companion.exitCode(), 0);
    const QStringList said = companion.lines();
    EXPECT_TRUE(said.contains(QStringLiteral("loop ended"))) << said.join(u'\n').toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("closed"))) << "its window's close handler does not run";
}

} // namespace
