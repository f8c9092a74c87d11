// The directory window's benchmark on a generated directory: the records it checks the window against are the
// table's first and last in the browse order, as SQLite itself orders them.
#include "bench/DirectoryWindowBench.h"

#include "GeneratedDirectoryTest.h"
#include "ScopedEnvironmentVariable.h"
#include "TestPrinters.h"
#include "directory/TfrmMain.h"
#include "platform/ui/DBEdit.h"

#include <QFile>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class DirectoryWindowBenchTest : public GeneratedDirectoryTest<1200>
{
protected:
    // The first name of the employee table in an order.
    QString firstName(const char* order) const
    {
        return firstColumn(employeeTable(),
            { QStringLiteral("SELECT Name FROM records ORDER BY %1 LIMIT 1").arg(QLatin1StringView(order)) })
            .value(0);
    }
};

TEST_F(DirectoryWindowBenchTest, ShowsTheLastThenTheFirstEmployeeRoundAfterRound)
{
    const QString first = firstName("Name COLLATE NOCASE, rowid");
    const QString last = firstName("Name COLLATE NOCASE DESC, rowid DESC");
    ASSERT_NE(first, last);

    DirectoryWindowBench bench(folder());
    EXPECT_EQ(bench.firstName(), first);
    EXPECT_EQ(bench.lastName(), last);
    EXPECT_TRUE(bench.mainWindow().isVisible());
    EXPECT_EQ(bench.mainWindow().DBEditName->text(), first);

    for (int round = 0; round < 3; ++round) {
        const DirectoryWindowBench::Times times = bench.lastThenFirst();
        EXPECT_GT(times.lastMs, 0);
        EXPECT_GT(times.firstMs, 0);
        EXPECT_EQ(bench.mainWindow().DBEditName->text(), first);
    }
}

TEST_F(DirectoryWindowBenchTest, PutsTheProgramsFoldersBackWhenItGoes)
{
    const ScopedEnvironmentVariable settings("APP_SETTINGS_DIR", QStringLiteral("/nonexistent/settings"));
    const ScopedEnvironmentVariable runtime("APP_RUNTIME_DIR", QStringLiteral("/nonexistent/runtime"));
    {
        const DirectoryWindowBench bench(folder());
        EXPECT_NE(qgetenv("APP_SETTINGS_DIR"), QByteArray("/nonexistent/settings"));
        EXPECT_NE(qgetenv("APP_RUNTIME_DIR"), QByteArray("/nonexistent/runtime"));
    }
    EXPECT_EQ(qgetenv("APP_SETTINGS_DIR"), QByteArray("/nonexistent/settings"));
    EXPECT_EQ(qgetenv("APP_RUNTIME_DIR"), QByteArray("/nonexistent/runtime"));
}

TEST_F(DirectoryWindowBenchTest, FailsWhenTheProgramReportsAnErrorAtStart)
{
    // The window opens the dial prefixes' table when created; without it the program shows an error box.
    ASSERT_TRUE(QFile::remove(table(QStringLiteral("Special.db"))));
    const std::string failure = failureOf<std::runtime_error>([this] { const DirectoryWindowBench bench(folder()); });
    EXPECT_NE(failure.find("The program reported during the start-up: "), std::string::npos) << failure;
    EXPECT_NE(failure.find("Special.db"), std::string::npos) << failure;
}

} // namespace
