// rfsetup stopped half way, as a kill or a power cut stops it, and run again: the second run must find either a
// whole directory or one it recognises as unfinished and replaces.
#include "ChildProcess.h"
#include "SetupTestFolder.h"

#include "common/DirectoryDatabase.h"
#include "setup/DirectoryInstaller.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int deadlineMs = 60000;

// Runs rfsetup to its end; its exit code, -1 when it did not end normally.
int runSetup(const QStringList& arguments, QString* output = nullptr)
{
    ChildProcess setup(QProcessEnvironment::systemEnvironment(), deadlineMs);
    const bool ended = setup.start(ChildProcess::beside(QStringLiteral("rfsetup")), arguments) && setup.waitForExit();
    if (output)
        *output = setup.output();
    return ended ? setup.exitCode() : -1;
}

class InterruptedSetupTest : public ::testing::Test
{
protected:
    QString staging() const { return m_folder.file(QLatin1StringView(DirectoryInstaller::StagingFolderName)); }

    // The folder holds the five tables, whole, with `employees` employees, and nothing of an unfinished set-up.
    void expectWholeDirectory(qint64 employees)
    {
        EXPECT_FALSE(QFileInfo::exists(staging()));
        for (const QLatin1StringView table : { DirectoryDatabase::EmployeeTable, DirectoryDatabase::DepartmentTable,
                 DirectoryDatabase::AuxiliarTable, DirectoryDatabase::SpecialTable, DirectoryDatabase::ReportTable }) {
            EXPECT_TRUE(QFile::exists(m_folder.file(table))) << table.data();
            EXPECT_FALSE(QFile::exists(m_folder.file(table + QLatin1StringView("-journal")))) << table.data();
        }
        EXPECT_EQ(m_folder.open(DirectoryDatabase::EmployeeTable)->rowCount(), employees);
        EXPECT_GT(m_folder.open(DirectoryDatabase::ReportTable)->rowCount(), 0);
    }

    SetupTestFolder m_folder;
};

TEST_F(InterruptedSetupTest, GenerateKilledWhileFillingIsReplacedByTheNextRun)
{
    ChildProcess killed(QProcessEnvironment::systemEnvironment(), deadlineMs);
    ASSERT_TRUE(killed.start(ChildProcess::beside(QStringLiteral("rfsetup")),
        { QStringLiteral("--generate"), QStringLiteral("1000000"), m_folder.path() }));
    // Killed while it writes the employees: the employee table's journal shows a fill under way.
    const QString journal = QDir(staging()).filePath(DirectoryDatabase::EmployeeTable + QLatin1StringView("-journal"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(journal); }, deadlineMs));
    killed.kill();
    ASSERT_FALSE(killed.running());

    EXPECT_TRUE(QDir(m_folder.path()).entryList(QDir::Files).isEmpty())
        << "no table came into the folder: " << QDir(m_folder.path()).entryList(QDir::Files).join(' ').toStdString();

    QString output;
    ASSERT_EQ(runSetup({ QStringLiteral("--generate"), QStringLiteral("1000"), m_folder.path() }, &output), 0)
        << output.toStdString();
    expectWholeDirectory(1000);
}

TEST_F(InterruptedSetupTest, SetUpStoppedWhileMovingTheTablesInIsReplaced)
{
    // A whole set of tables, of which the stopped run had moved two in.
    SetupTestFolder other;
    DirectoryInstaller(other.path()).installDemo();
    ASSERT_TRUE(QDir().mkpath(staging()));
    const QDir from(other.path());
    for (const QString& entry : from.entryList(QDir::Files)) {
        const bool movedIn = entry == DirectoryDatabase::EmployeeTable || entry == DirectoryDatabase::DepartmentTable;
        ASSERT_TRUE(
            QFile::rename(from.filePath(entry), movedIn ? m_folder.file(entry) : QDir(staging()).filePath(entry)));
    }

    QString output;
    ASSERT_EQ(runSetup({ QStringLiteral("--generate"), QStringLiteral("500"), m_folder.path() }, &output), 0)
        << output.toStdString();
    expectWholeDirectory(500);
}

TEST_F(InterruptedSetupTest, FinishedDirectoryIsStillRefused)
{
    ASSERT_EQ(runSetup({ QStringLiteral("--generate"), QStringLiteral("200"), m_folder.path() }), 0);
    QString output;
    EXPECT_NE(runSetup({ QStringLiteral("--demo"), m_folder.path() }, &output), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("already holds a directory"))) << output.toStdString();
    expectWholeDirectory(200);
}

} // namespace
