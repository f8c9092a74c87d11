// The detector of an earlier copy: the title it looks for and the mutex named after the program file.
#include "common/Just1_32.h"
#include "common/TPreviousInstance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PreviousInstanceTest, WindowTitleIsTheNameLessAnUpperCaseExeOnly)
{
    const struct
    {
        const char* fileName;
        const char* title;
    } cases[] = {
        { "Ringfolio.EXE", "Ringfolio" }, { "PRINTROLL.EXE", "PRINTROLL" },
        { "Ringfolio.exe", "" }, // the test is case-sensitive
        { "Ringfolio.Exe", "" }, { "Ringfolio", "" }, // the programs' own files here
        { "Old.EXE.bak", "Old.EXE" }, // ".EXE" anywhere; the last four characters go
    };
    for (const auto& c : cases) {
        TPreviousInstance detector;
        detector.SetWindowTitle(QLatin1String(c.fileName));
        QString title = QStringLiteral("<not set>");
        detector.GetWindowTitle(title);
        EXPECT_EQ(title, QLatin1String(c.title)) << c.fileName;
    }

    TPreviousInstance detector;
    detector.WindowTitle = QStringLiteral("Earlier");
    detector.SetWindowTitle(QStringLiteral("Ringfolio"));
    EXPECT_EQ(detector.WindowTitle, QStringLiteral("Earlier")) << "a name without .EXE leaves the title alone";
}

TEST(PreviousInstanceTest, OnlyTheFirstCopyOfAProgramFileHoldsTheMutex)
{
    QTemporaryDir locks;
    TPreviousInstance first;
    first.Detect(QStringLiteral("/opt/ringfolio/Ringfolio.EXE"), locks.path());
    EXPECT_FALSE(first.Exists);
    EXPECT_TRUE(first.Mutex);
    EXPECT_EQ(first.WindowTitle, QStringLiteral("Ringfolio"));
    EXPECT_TRUE(QFile::exists(locks.filePath(QStringLiteral("Ringfolio.EXE.lock")))) << "named after the file alone";

    TPreviousInstance second;
    second.Detect(QStringLiteral("/elsewhere/Ringfolio.EXE"), locks.path());
    EXPECT_TRUE(second.Exists);
    EXPECT_FALSE(second.Mutex) << "a later copy keeps nothing of the mutex";

    // Other names, letter case included, are other programs.
    for (const char* other : { "ringfolio.EXE", "Printroll" }) {
        TPreviousInstance copy;
        copy.Detect(QLatin1String(other), locks.path());
        EXPECT_FALSE(copy.Exists) << other;
    }

    // Once the first copy lets go, a new start is a first copy again; the later copy's decision stands.
    first.releaseMutex();
    first.releaseMutex();
    TPreviousInstance third;
    third.Detect(QStringLiteral("Ringfolio.EXE"), locks.path());
    EXPECT_FALSE(third.Exists);
    EXPECT_TRUE(second.Exists);
}

TEST(PreviousInstanceTest, AMutexThatCannotBeCreatedNeverStopsTheCopy)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    for (int copy = 0; copy < 2; ++copy) {
        TPreviousInstance detector;
        detector.Detect(QStringLiteral("Ringfolio"), plain.fileName());
        EXPECT_FALSE(detector.Exists);
        EXPECT_FALSE(detector.Mutex);
    }
}

TEST(PreviousInstanceTest, TheGuardUnitCreatesTheDetectorAndItsShutDownLetsTheMutexGo)
{
    QTemporaryDir locks;
    EXPECT_EQ(Just1_32::PreviousInstance(), nullptr);
    {
        const Just1_32 unit(QStringLiteral("/opt/Printroll"), locks.path());
        ASSERT_NE(Just1_32::PreviousInstance(), nullptr);
        EXPECT_FALSE(Just1_32::PreviousInstance()->Exists);
        EXPECT_TRUE(Just1_32::PreviousInstance()->Mutex);
        TPreviousInstance other;
        other.Detect(QStringLiteral("Printroll"), locks.path());
        EXPECT_TRUE(other.Exists);
    }
    EXPECT_EQ(Just1_32::PreviousInstance(), nullptr);
    TPreviousInstance after;
    after.Detect(QStringLiteral("Printroll"), locks.path());
    EXPECT_FALSE(after.Exists);
}

} // namespace
