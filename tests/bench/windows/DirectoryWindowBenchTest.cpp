// The directory window's benchmark on a generated directory: the records it checks the window against are the
// table's first and last in the browse order, as SQLite itself orders them.
#include "bench/DirectoryWindowBench.h"

#include "directory/TfrmMain.h"
#include "platform/ui/DBEdit.h"
#include "setup/DirectoryGenerator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr qint64 Employees = 1200;

struct SqliteCloser
{
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// The first column of the first row of a query, read straight from a table file.
QString firstValue(const QString& path, const char* sql)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, SqliteCloser> db(raw);
    EXPECT_EQ(rc, SQLITE_OK);
    sqlite3_stmt* prepared = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db.get(), sql, -1, &prepared, nullptr), SQLITE_OK) << sqlite3_errmsg(db.get());
    const std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(prepared);
    if (sqlite3_step(statement.get()) != SQLITE_ROW)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
}

class DirectoryWindowBenchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(folder()));
        DirectoryGenerator(Employees, 20).writeTables(folder());
    }

    QString folder() const { return m_dir.filePath(QStringLiteral("directory")); }
    QString table(const char* name) const { return QDir(folder()).filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
};

TEST_F(DirectoryWindowBenchTest, ShowsTheLastThenTheFirstEmployeeRoundAfterRound)
{
    const QString first
        = firstValue(table("employee.DB"), "SELECT Name FROM records ORDER BY Name COLLATE NOCASE, rowid LIMIT 1");
    const QString last = firstValue(
        table("employee.DB"), "SELECT Name FROM records ORDER BY Name COLLATE NOCASE DESC, rowid DESC LIMIT 1");
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
    const ScopedVariable settings("APP_SETTINGS_DIR", QStringLiteral("/nonexistent/settings"));
    const ScopedVariable runtime("APP_RUNTIME_DIR", QStringLiteral("/nonexistent/runtime"));
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
    ASSERT_TRUE(QFile::remove(table("Special.db")));
    try {
        const DirectoryWindowBench bench(folder());
        FAIL() << "no failure";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("The program reported during the start-up: "), std::string::npos)
            << error.what();
        EXPECT_NE(std::string(error.what()).find("Special.db"), std::string::npos) << error.what();
    }
}

} // namespace
