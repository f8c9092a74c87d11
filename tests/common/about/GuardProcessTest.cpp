// The single-instance guard with the programs running for real: a second copy of a program ends, the two programs
// never stop each other, and a copy that was killed leaves nothing that keeps the next start from coming up.
#include "ChildProcess.h"
#include "DirectoryTestEnvironment.h"
#include "OtherUser.h"
#include "PeerProcess.h"

#include "common/TJustOne32.h"
#include "platform/os/NamedMutex.h"
#include "platform/os/WindowDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

namespace {

const QString directoryTitle = QStringLiteral("Ringfolio 2.5");
const QString listPrinterTitle = QStringLiteral("Printroll for Ringfolio 2.5");
const QString splashShown = QStringLiteral("splash shown");
const QString aboutShown = QStringLiteral("About window shown");
const QString copyEnds = QStringLiteral("another copy of the program runs: this one ends");

class GuardProcessTest : public ::testing::Test
{
protected:
    GuardProcessTest()
    {
        // Printroll's own start-up with a way to open its About window, under Printroll's file name.
        m_probe = QDir(m_probeFolder.path()).filePath(QStringLiteral("Printroll"));
        EXPECT_TRUE(QFile::copy(ChildProcess::beside(QStringLiteral("printroll_about_probe")), m_probe));
    }

    // The environment of the test (its database, settings and window links), with the About window's traces.
    static QProcessEnvironment environment()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("ringfolio.about.info=true"));
        return environment;
    }

    std::optional<os::WindowHandle> waitForWindow(const QString& title, qint64 process)
    {
        std::optional<os::WindowHandle> found;
        const auto appeared = [&] {
            found = m_windows.findWindow(title, Qt::CaseSensitive);
            return found && found->process == process;
        };
        return QTest::qWaitFor(appeared, ChildProcess::deadlineMs) ? found : std::nullopt;
    }

    bool startDirectory(ChildProcess& directory)
    {
        return directory.start(ChildProcess::beside(QStringLiteral("Ringfolio")))
            && directory.waitForOutput(splashShown) && waitForWindow(directoryTitle, directory.pid());
    }

    bool startListPrinter(ChildProcess& listPrinter)
    {
        return listPrinter.start(ChildProcess::beside(QStringLiteral("Printroll")), { QStringLiteral("Tesk") })
            && waitForWindow(listPrinterTitle, listPrinter.pid());
    }

    bool startProbe(ChildProcess& probe)
    {
        return probe.start(m_probe, { QStringLiteral("Tesk") }) && probe.waitForOutput(QStringLiteral("running"));
    }

    // A second copy ends by itself with exit code 0, saying so, and has said none of `neverSaid`.
    static void expectEndedAsASecondCopy(ChildProcess& copy, const QStringList& neverSaid)
    {
        ASSERT_TRUE(copy.waitForExit());
        EXPECT_EQ(copy.exitCode(), 0);
        const QString said = copy.output();
        EXPECT_TRUE(said.contains(copyEnds)) << said.toStdString();
        for (const QString& text : neverSaid)
            EXPECT_FALSE(said.contains(text)) << text.toStdString() << " in: " << said.toStdString();
    }

    // Ends a program as the directory ends the list printer: by a quit message to its window.
    void quit(ChildProcess& program, const QString& title)
    {
        if (const auto window = waitForWindow(title, program.pid()))
            m_windows.postQuit(*window);
        EXPECT_TRUE(program.waitForExit());
        EXPECT_EQ(program.exitCode(), 0) << program.output().toStdString();
    }

    DirectoryTestEnvironment m_environment;
    os::WindowDirectory m_windows { m_environment.runtimeFolder() };
    QTemporaryDir m_probeFolder;
    QString m_probe;
};

TEST_F(GuardProcessTest, ASecondRingfolioEndsWithCodeZeroBeforeAnyWindow)
{
    ChildProcess first(environment());
    ASSERT_TRUE(startDirectory(first)) << first.output().toStdString();

    ChildProcess second(environment());
    ASSERT_TRUE(second.start(ChildProcess::beside(QStringLiteral("Ringfolio"))));
    expectEndedAsASecondCopy(second, { splashShown }); // it ends before its splash shows

    EXPECT_TRUE(first.running());
    EXPECT_EQ(m_windows.findWindow(directoryTitle, Qt::CaseSensitive)->process, first.pid());
    quit(first, directoryTitle);
}

TEST_F(GuardProcessTest, ASecondPrintrollRunsAndEndsWhenItsAboutWindowOpens)
{
    ChildProcess first(environment());
    ASSERT_TRUE(startListPrinter(first)) << first.output().toStdString();

    ChildProcess second(environment());
    ASSERT_TRUE(startProbe(second)) << second.output().toStdString();
    ASSERT_TRUE(waitForWindow(listPrinterTitle, second.pid())) << "the second copy runs normally";

    second.writeLine("about");
    // It ends in the middle of the command, before the About window shows.
    expectEndedAsASecondCopy(second, { aboutShown, QStringLiteral("about closed") });

    EXPECT_TRUE(first.running());
    quit(first, listPrinterTitle);
}

TEST_F(GuardProcessTest, ASecondPrintrollEndsAtItsAboutWindowAlsoWhenTheFirstHasEndedMeanwhile)
{
    ChildProcess first(environment());
    ASSERT_TRUE(startListPrinter(first)) << first.output().toStdString();
    ChildProcess second(environment());
    ASSERT_TRUE(startProbe(second)) << second.output().toStdString();

    // The decision was made when the second copy started.
    first.kill();
    second.writeLine("about");
    expectEndedAsASecondCopy(second, { aboutShown });
}

TEST_F(GuardProcessTest, RingfolioAndPrintrollNeverStopEachOther)
{
    ChildProcess listPrinter(environment());
    ASSERT_TRUE(startProbe(listPrinter)) << listPrinter.output().toStdString();

    ChildProcess directory(environment());
    ASSERT_TRUE(startDirectory(directory)) << directory.output().toStdString();
    EXPECT_FALSE(directory.output().contains(copyEnds));

    listPrinter.writeLine("about");
    ASSERT_TRUE(listPrinter.waitForOutput(QStringLiteral("about closed"))) << listPrinter.output().toStdString();
    EXPECT_TRUE(listPrinter.output().contains(aboutShown));
    ASSERT_TRUE(listPrinter.waitForExit());
    EXPECT_EQ(listPrinter.exitCode(), 0);

    EXPECT_TRUE(directory.running());
    quit(directory, directoryTitle);
}

TEST_F(GuardProcessTest, AKilledCopysLockDoesNotKeepTheNextStartFromComingUp)
{
    ChildProcess killed(environment());
    ASSERT_TRUE(startDirectory(killed)) << killed.output().toStdString();
    killed.kill();
    ASSERT_TRUE(QFile::exists(QDir(m_environment.runtimeFolder()).filePath(QStringLiteral("Ringfolio.lock"))))
        << "the lock file outlives the copy that held it";

    ChildProcess next(environment());
    ASSERT_TRUE(startDirectory(next)) << next.output().toStdString();
    EXPECT_FALSE(next.output().contains(copyEnds));
    quit(next, directoryTitle);
}

TEST_F(GuardProcessTest, InARuntimeFolderThatAnotherUserTookEveryRingfolioStartsWithoutTheGuard)
{
    // The other user made the folder first, holds Ringfolio's lock in it and listens there as a program would.
    QTemporaryDir taken;
    const QString folder = QDir(taken.path()).filePath(QStringLiteral("app-links"));
    ASSERT_TRUE(QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const os::NamedMutex lock(QStringLiteral("Ringfolio"), folder);
    ASSERT_EQ(lock.result(), os::NamedMutex::Result::Created);
    QLocalServer listener;
    ASSERT_TRUE(listener.listen(QDir(folder).filePath(QStringLiteral("windows-1.sock"))));
    if (!giveToAnotherUser(folder))
        GTEST_SKIP() << "only root can give a folder to another user";

    QProcessEnvironment inTakenFolder = environment();
    inTakenFolder.insert(QStringLiteral("APP_RUNTIME_DIR"), folder);
    ChildProcess first(inTakenFolder);
    ASSERT_TRUE(first.start(ChildProcess::beside(QStringLiteral("Ringfolio"))));
    ASSERT_TRUE(first.waitForOutput(splashShown)) << first.output().toStdString();
    ChildProcess second(inTakenFolder);
    ASSERT_TRUE(second.start(ChildProcess::beside(QStringLiteral("Ringfolio"))));
    ASSERT_TRUE(second.waitForOutput(splashShown)) << second.output().toStdString();

    EXPECT_FALSE(first.output().contains(copyEnds));
    EXPECT_FALSE(second.output().contains(copyEnds));
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(second.running());
    EXPECT_FALSE(listener.waitForNewConnection(0)) << "a program asked the other user's listener";
}

TEST_F(GuardProcessTest, TheGuardRetitlesTheFirstWindowFoundAndRestoresTheNext)
{
    // This process's own window under the program file's title, found first, as a new copy's application window
    // is; then an earlier copy's minimised window of the same title in another process.
    QWidget own;
    own.setWindowTitle(QStringLiteral("Probe"));
    m_windows.publish(&own);
    PeerProcess earlier(m_environment.runtimeFolder());
    ASSERT_TRUE(earlier.start({ QStringLiteral("--title"), QStringLiteral("Probe"), QStringLiteral("--minimized") }));
    const std::optional<os::WindowHandle> earlierWindow = m_windows.findWindow(QStringLiteral("PROBE"));
    ASSERT_TRUE(earlierWindow);
    ASSERT_EQ(earlierWindow->process, QCoreApplication::applicationPid()) << "this process's windows come first";

    TJustOne32::bringPreviousCopyForward(m_windows, QStringLiteral("Probe"));
    EXPECT_EQ(own.windowTitle(), QStringLiteral("something else"));
    const std::optional<os::WindowHandle> restored = m_windows.findWindow(QStringLiteral("Probe"));
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->process, earlier.pid());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_windows.isIconic(*restored); }, processDeadlineMs))
        << "the earlier copy's minimised window is restored";

    // Nothing of that title left: nothing is looked at, nothing changes.
    TJustOne32::bringPreviousCopyForward(m_windows, QStringLiteral("No such program"));
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("Probe"))->process, earlier.pid());
}

} // namespace
