// The start-up probe against the real programs, each started on the demo directory in a folder of its own.
#include "bench/WindowProbe.h"

#include "ScopedEnvironmentVariable.h"
#include "TemporaryAlias.h"
#include "TestPrinters.h"
#include "common/DirectoryDatabase.h"
#include "platform/os/WindowDirectory.h"
#include "setup/DirectoryInstaller.h"

#include <QDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QString program(const char* name)
{
    return QStringLiteral(RF_BUILD_DIR "/bin/") + QLatin1String(name);
}

// What the message of the probe's failure says.
std::string probeFailure(const WindowProbe& probe, const QString& programFile, const QStringList& arguments = {})
{
    return failureOf<std::runtime_error>([&] { probe.measure(programFile, arguments); });
}

class WindowProbeTest : public ::testing::Test
{
protected:
    WindowProbeTest()
    {
        QDir().mkpath(m_alias.path(QStringLiteral("settings")));
        // The programs take a runtime folder only when it is private to its owner.
        QDir().mkdir(m_alias.path(QStringLiteral("runtime")),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        DirectoryInstaller(m_alias.folder()).installDemo();
    }

    // No program of that title answers any more.
    bool gone(const QString& title) const
    {
        const os::WindowDirectory windows;
        return !windows.findWindow(title, Qt::CaseSensitive).has_value();
    }

    // The programs inherit these.
    const TemporaryAlias m_alias { DirectoryDatabase::Alias, QStringLiteral("database") };
    ScopedEnvironmentVariable m_runtime { "APP_RUNTIME_DIR", m_alias.path(QStringLiteral("runtime")) };
    ScopedEnvironmentVariable m_settings { "APP_SETTINGS_DIR", m_alias.path(QStringLiteral("settings")) };
    ScopedEnvironmentVariable m_platform { "QT_QPA_PLATFORM", QStringLiteral("offscreen") };
};

TEST_F(WindowProbeTest, TimesEachProgramToItsWindowAndEndsItWithTheQuit)
{
    const WindowProbe::Result directory
        = WindowProbe(QStringLiteral("Ringfolio 2.5")).measure(program("Ringfolio"), {});
    EXPECT_GT(directory.windowMs, 0);
    EXPECT_GE(directory.polls, 1);
    EXPECT_TRUE(gone(QStringLiteral("Ringfolio 2.5")));

    const WindowProbe::Result listPrinter = WindowProbe(QStringLiteral("Printroll for Ringfolio 2.5"))
                                                .measure(program("Printroll"), { QStringLiteral("Tesk") });
    EXPECT_GT(listPrinter.windowMs, 0);
    EXPECT_TRUE(gone(QStringLiteral("Printroll for Ringfolio 2.5")));
}

TEST_F(WindowProbeTest, FailsWhenTheProgramCannotStartOrEndsWithoutTheWindow)
{
    const WindowProbe probe(QStringLiteral("Ringfolio 2.5"));
    const QString missing = m_alias.path(QStringLiteral("no-such-program"));
    const std::string cannotStart = probeFailure(probe, missing);
    EXPECT_NE(cannotStart.find("no-such-program cannot be started"), std::string::npos) << cannotStart;
    // A program that ends at once, with exit code 0, has shown nothing.
    EXPECT_EQ(probeFailure(probe, QStringLiteral("/bin/true")),
        "true ended with exit code 0 before its window \"Ringfolio 2.5\" was shown");
    // What it said on its error output tells why.
    EXPECT_EQ(probeFailure(probe, QStringLiteral("/bin/sh"),
                  { QStringLiteral("-c"), QStringLiteral("echo cannot open the display >&2; exit 3") }),
        "sh ended with exit code 3 before its window \"Ringfolio 2.5\" was shown; its error output:\n"
        "cannot open the display");
}

TEST_F(WindowProbeTest, KillsAProgramWhoseWindowDoesNotComeInTime)
{
    // Ringfolio shows its window, but under another title than the one waited for.
    const WindowProbe probe(QStringLiteral("ringfolio 2.5"), 2000);
    // Whatever the program said on its error output follows.
    const std::string failure = probeFailure(probe, program("Ringfolio"));
    EXPECT_EQ(failure.rfind("Ringfolio did not show its window \"ringfolio 2.5\" within 2000 ms", 0), 0) << failure;
    EXPECT_TRUE(gone(QStringLiteral("Ringfolio 2.5")));
}

} // namespace
