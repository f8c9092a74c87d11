#include "platform/os/WindowDirectory.h"

#include "OtherUser.h"
#include "PeerProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

using os::WindowDirectory;

namespace {

class WindowDirectoryTest : public ::testing::Test
{
protected:
    QString socketOf(qint64 pid) const { return m_folder.path() + QStringLiteral("/windows-%1.sock").arg(pid); }

    QTemporaryDir m_folder;
    WindowDirectory m_directory { m_folder.path() };
};

TEST_F(WindowDirectoryTest, OwnWindowsAreFoundAndChangedDirectly)
{
    ASSERT_TRUE(m_directory.isListening());
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle("Main Window");
    const os::WindowHandle main = m_directory.publish(window.get());
    const os::WindowHandle app = m_directory.publishTitle("Product 1.0", [&] { return window.get(); });

    // Whole titles, letter case ignored unless asked for.
    EXPECT_EQ(m_directory.findWindow("MAIN WINDOW"), main);
    EXPECT_FALSE(m_directory.findWindow("main window", Qt::CaseSensitive));
    EXPECT_FALSE(m_directory.findWindow("Main"));
    EXPECT_EQ(m_directory.findWindow("Product 1.0"), app);

    // A published window is found under its current title; the application title is its own.
    window->setWindowTitle("Renamed");
    EXPECT_EQ(m_directory.findWindow("Renamed"), main);
    EXPECT_TRUE(m_directory.setWindowText(app, "something else"));
    EXPECT_FALSE(m_directory.findWindow("Product 1.0"));
    EXPECT_EQ(m_directory.findWindow("something else"), app);
    EXPECT_EQ(window->windowTitle(), "Renamed");

    window->showMinimized();
    EXPECT_TRUE(m_directory.isIconic(app));
    EXPECT_TRUE(m_directory.bringWindowToTop(main));
    EXPECT_TRUE(m_directory.isIconic(main)) << "raising does not restore";
    EXPECT_TRUE(m_directory.showWindowRestore(app));
    EXPECT_FALSE(m_directory.isIconic(main));
    EXPECT_TRUE(window->isVisible());

    window.reset();
    EXPECT_FALSE(m_directory.findWindow("Renamed"));
    EXPECT_FALSE(m_directory.bringWindowToTop(main));
    EXPECT_TRUE(m_directory.findWindow("something else")) << "the title outlives its target";
    EXPECT_FALSE(m_directory.showWindowRestore(app));
    m_directory.unpublish(app);
    EXPECT_FALSE(m_directory.findWindow("something else"));
}

TEST_F(WindowDirectoryTest, QuitToOwnWindowLeavesTheEventLoopWithoutClosingWindows)
{
    QWidget window;
    window.setWindowTitle("Quitter");
    window.show();
    const os::WindowHandle handle = m_directory.publish(&window);

    // The application's own loop: leaving it also resets the quit for the dialogs of later tests.
    QTimer::singleShot(0, &window, [&] { m_directory.postQuit(handle); });
    QTimer::singleShot(processDeadlineMs, &window, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowDirectoryTest, AnotherProgramIsFoundRestoredRetitledAndQuit)
{
    PeerProcess peer(m_folder.path());
    ASSERT_TRUE(peer.start({ "--title", "Companion 1.0", "--app-title", "Companion App", "--minimized" }));

    const auto main = m_directory.findWindow("Companion 1.0");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->process, peer.pid());
    const auto app = m_directory.findWindow("companion app");
    ASSERT_TRUE(app);
    EXPECT_EQ(app->process, peer.pid());
    EXPECT_NE(app->window, main->window);

    EXPECT_TRUE(m_directory.isIconic(*main));
    EXPECT_TRUE(m_directory.bringWindowToTop(*app));
    EXPECT_TRUE(m_directory.isIconic(*main));
    EXPECT_TRUE(m_directory.showWindowRestore(*app));
    EXPECT_FALSE(m_directory.isIconic(*main));

    EXPECT_TRUE(m_directory.setWindowText(*main, "Elsewhere"));
    EXPECT_FALSE(m_directory.findWindow("Companion 1.0"));
    EXPECT_EQ(m_directory.findWindow("Elsewhere"), main);

    EXPECT_TRUE(m_directory.postQuit(*main));
    ASSERT_TRUE(peer.waitForExit());
    EXPECT_EQ(peer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(peer.exitCode(), 0);
    const QStringList lines = peer.lines();
    EXPECT_TRUE(lines.contains("loop ended"));
    EXPECT_FALSE(lines.contains("closed")) << "the quit ran the window's close handler";
    EXPECT_FALSE(QFile::exists(socketOf(peer.pid()))) << "a program that ends removes its socket";
    EXPECT_FALSE(m_directory.findWindow("Elsewhere"));
}

TEST_F(WindowDirectoryTest, AnotherProgramRetitlesThisProgramsWindow)
{
    QWidget window;
    window.setWindowTitle("Directory 1.0");
    m_directory.publish(&window);

    PeerProcess peer(m_folder.path());
    ASSERT_TRUE(peer.start({ "--retitle", "Directory 1.0", "Moved" }, "retitled"));
    EXPECT_EQ(window.windowTitle(), "Moved");

    PeerProcess second(m_folder.path());
    ASSERT_TRUE(second.start({ "--retitle", "Directory 1.0", "Again" }, "not found"));
    EXPECT_EQ(window.windowTitle(), "Moved");
}

TEST_F(WindowDirectoryTest, KilledProgramLeavesAStaleEntryThatIsSkippedAndRemoved)
{
    PeerProcess peer(m_folder.path());
    ASSERT_TRUE(peer.start({ "--title", "Doomed" }));
    const auto handle = m_directory.findWindow("Doomed");
    ASSERT_TRUE(handle);
    const qint64 pid = peer.pid();
    peer.kill();
    ASSERT_TRUE(QFile::exists(socketOf(pid)));

    EXPECT_FALSE(m_directory.findWindow("Doomed"));
    EXPECT_FALSE(QFile::exists(socketOf(pid)));
    EXPECT_FALSE(m_directory.bringWindowToTop(*handle));
    EXPECT_FALSE(m_directory.postQuit(*handle));
    EXPECT_FALSE(m_directory.isIconic(*handle));
}

TEST_F(WindowDirectoryTest, ProgramThatDoesNotAnswerCountsAsAbsent)
{
    PeerProcess stopped(m_folder.path());
    ASSERT_TRUE(stopped.start({ "--title", "Same Title" }));
    ::kill(pid_t(stopped.pid()), SIGSTOP);
    EXPECT_FALSE(m_directory.findWindow("Same Title"));
    EXPECT_TRUE(QFile::exists(socketOf(stopped.pid()))) << "a live program's socket is not removed";

    ::kill(pid_t(stopped.pid()), SIGCONT);
    const auto found = m_directory.findWindow("Same Title");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->process, stopped.pid());
}

TEST(WindowDirectoryFolderTest, InAFolderOthersCanReachItNeitherListensNorAsks)
{
    const struct
    {
        const char* name;
        std::function<bool(const QString&)> open; // opens the private folder to others; false when it cannot
    } cases[] = {
        { "readable by others",
            [](const QString& folder) {
                return QFile::setPermissions(folder,
                    QFile::permissions(folder) | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                        | QFileDevice::ExeOther);
            } },
        { "another user's", giveToAnotherUser },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString folder = dir.filePath("links");
        ASSERT_TRUE(QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        // Someone else's program listening there, as the companion would.
        const QString socket = folder + "/windows-1.sock";
        QLocalServer squatter;
        ASSERT_TRUE(squatter.listen(socket));
        if (!c.open(folder))
            GTEST_SKIP() << "only root can give a folder to another user"; // the last case

        WindowDirectory directory(folder);
        EXPECT_FALSE(directory.isListening());
        QWidget window;
        window.setWindowTitle("Own Window");
        const os::WindowHandle own = directory.publish(&window);
        EXPECT_EQ(directory.findWindow("Own Window"), own) << "its own windows are still found";
        EXPECT_FALSE(directory.findWindow("Companion"));
        const os::WindowHandle squattersWindow { 1, 1 };
        EXPECT_FALSE(directory.bringWindowToTop(squattersWindow));
        EXPECT_FALSE(directory.postQuit(squattersWindow));
        EXPECT_FALSE(directory.isIconic(squattersWindow));

        EXPECT_FALSE(squatter.waitForNewConnection(0)) << "the squatter was asked";
        EXPECT_TRUE(QFile::exists(socket));
        EXPECT_EQ(QDir(folder).entryList(QDir::System | QDir::NoDotAndDotDot), QStringList { "windows-1.sock" });
    }
}

} // namespace
