#include "ChildProcess.h"
#include "PrintrollFixture.h"

#include "platform/db/Session.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include <ostream>

namespace {

// Printroll's command line as the directory program gives it, or as anyone else might, and whether it then runs.
struct StartUp
{
    QStringList arguments;
    bool runs;

    // Names the case: the arguments joined by commas, a blank shown as '_'.
    friend void PrintTo(const StartUp& start, std::ostream* out)
    {
        *out << (start.arguments.isEmpty() ? QStringLiteral("none") : start.arguments.join(u',').replace(u' ', u'_'))
                    .toStdString();
    }
};

class StartUpGateTest : public PrintrollFixture, public ::testing::WithParamInterface<StartUp>
{
};

TEST_P(StartUpGateTest, PrintrollRunsOnlyWithTheLaunchWordFirst)
{
    ChildProcess printroll(programEnvironment());
    ASSERT_TRUE(printroll.start(ChildProcess::beside(QStringLiteral("Printroll")), GetParam().arguments));
    if (GetParam().runs) {
        std::optional<os::WindowHandle> found;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return (found = windows().findWindow(QStringLiteral("Printroll for Ringfolio 2.5"))).has_value(); },
            ChildProcess::deadlineMs));
        ASSERT_TRUE(printroll.waitForOutput(QStringLiteral("FormShow: started with the launch word")));
        EXPECT_TRUE(printroll.running());
        // The directory program's shut-down ends the loop; the close handler does not run.
        ASSERT_TRUE(windows().postQuit(*found));
    }
    ASSERT_TRUE(printroll.waitForExit()) << printroll.output().toStdString();
    EXPECT_EQ(printroll.exitCode(), 0);
    // The catalogue was opened before the gate either way.
    EXPECT_TRUE(printroll.output().contains(QStringLiteral("FormCreate: catalogue open")));
    EXPECT_NE(printroll.output().contains(QStringLiteral("FormClose")), GetParam().runs)
        << printroll.output().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Arguments, StartUpGateTest,
    ::testing::Values(StartUp { {}, false }, StartUp { { "tesk" }, false }, StartUp { { "TESK" }, false },
        StartUp { { "Tesk " }, false }, StartUp { { "Other", "Tesk" }, false }, StartUp { { "Tesk" }, true },
        StartUp { { "Tesk", "more" }, true }));

using ReturnToMainTest = PrintrollFixture;

TEST_F(ReturnToMainTest, WithTheDirectoryProgramRunningPrintrollClosesAndRaisesIt)
{
    ChildProcess ringfolio(programEnvironment());
    // Stands in for the directory program, behind another window of its own.
    ASSERT_TRUE(ringfolio.start(ChildProcess::beside(QStringLiteral("os_peer")),
        { QStringLiteral("--title"), QStringLiteral("Ringfolio 2.5"), QStringLiteral("--covered") }));
    ASSERT_TRUE(ringfolio.waitForOutput(QStringLiteral("ready"))) << ringfolio.output().toStdString();
    TFrmMain& window = openMainWindow();
    window.TooBtnReturn->click();

    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(db::Session::defaultSession().passwords().contains(QStringLiteral("RJBalnor")));
    EXPECT_TRUE(ringfolio.waitForOutput(QStringLiteral("raised"))) << ringfolio.output().toStdString();
}

TEST_F(ReturnToMainTest, WithoutTheDirectoryProgramPrintrollStartsItAndStaysOpen)
{
    // A program that records its arguments stands in for the directory program's file.
    const QString programs = path(QStringLiteral("programs"));
    ASSERT_TRUE(QDir().mkpath(programs));
    ASSERT_TRUE(QFile::copy(ChildProcess::beside(QStringLiteral("os_argv_dump")), programs + "/Ringfolio"));
    const QString arguments = path(QStringLiteral("arguments"));
    qputenv("ARGV_DUMP_FILE", arguments.toUtf8());
    TFrmMain& window = openMainWindow();
    window.setProgramFolder(programs);
    window.Return1->trigger();
    qunsetenv("ARGV_DUMP_FILE");

    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(arguments); }, ChildProcess::deadlineMs));
    QFile dump(arguments);
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dump.readAll().isEmpty()); // no launch word, no argument at all
    EXPECT_TRUE(window.isVisible());
}

} // namespace
