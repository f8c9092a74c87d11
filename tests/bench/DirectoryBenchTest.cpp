#include "bench/DirectoryBench.h"

#include "bench/MeasureCommand.h"
#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"
#include "setup/DirectoryGenerator.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include "TestPrinters.h"

#include <sqlite3.h>

#include <memory>
#include <ostream>

namespace {

constexpr qint64 Employees = 1500;

struct SqliteCloser
{
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// The first column of every row the statements give, read straight from a table file: what the compare script's
// anchor reads for the same job. Statements before the last only set the connection up.
QStringList reference(const QString& path, const QStringList& statements)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, SqliteCloser> db(raw);
    EXPECT_EQ(rc, SQLITE_OK);
    QStringList values;
    for (const QString& sql : statements) {
        sqlite3_stmt* prepared = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db.get(), sql.toUtf8().constData(), -1, &prepared, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db.get());
        const std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(prepared);
        values.clear();
        while (sqlite3_step(statement.get()) == SQLITE_ROW)
            values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    }
    return values;
}

class DirectoryBenchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(folder()));
        DirectoryGenerator(Employees, 20).writeTables(folder());
    }

    QString folder() const { return m_dir.filePath(QStringLiteral("directory")); }
    QString employees() const { return QDir(folder()).filePath(QStringLiteral("employee.DB")); }

    QTemporaryDir m_dir;
};

TEST_F(DirectoryBenchTest, ReadsTheRowsTheAnchorReadsForEachJob)
{
    DirectoryBench bench(folder());
    const QString byName = QStringLiteral(" ORDER BY Name COLLATE NOCASE, rowid");

    const QStringList first = reference(employees(), { QStringLiteral("SELECT Name FROM records") + byName });
    ASSERT_EQ(first.size(), Employees);
    EXPECT_EQ(bench.readFirstRows(30), first.mid(0, 30));

    const std::unique_ptr<db::Table> table = bench.openEmployees();
    // The prefixes the compare script uses: lower case, a quote, a blank, a comma.
    for (const QString prefix : { "smi", "o'b", "van d", "garcia, m", "lee, a" }) {
        const QString pattern = QString(prefix).replace(u'\'', QStringLiteral("''"));
        const QStringList expected = reference(employees(),
            { QStringLiteral("SELECT Name FROM records WHERE Name LIKE '%1%'").arg(pattern) + byName
                + QStringLiteral(" LIMIT 1") });
        EXPECT_EQ(DirectoryBench::locateName(*table, prefix), expected.value(0)) << prefix.toStdString();
    }
    EXPECT_NE(DirectoryBench::locateName(*table, QStringLiteral("smi")), QString());
    EXPECT_EQ(DirectoryBench::locateName(*table, QStringLiteral("zzz")), QString());

    EXPECT_EQ(DirectoryBench::lastThenPrior(*table, 30), first.at(Employees - 31));
    EXPECT_EQ(DirectoryBench::walk(*table), Employees);
}

TEST_F(DirectoryBenchTest, LetterListReadsTheQueryResultWithCaseSensitiveLike)
{
    DirectoryBench bench(folder());
    const QStringList expected = reference(employees(),
        { QStringLiteral("PRAGMA case_sensitive_like = ON"),
            QStringLiteral(
                "SELECT DISTINCT Name, Extension FROM records WHERE Name LIKE 'S%' ORDER BY Name, Extension") });
    ASSERT_GT(expected.size(), 0);
    EXPECT_EQ(bench.letterList(QStringLiteral("S%")), expected.size());
    EXPECT_EQ(bench.letterList(QStringLiteral("s%")), 0); // the names are upper case
}

TEST_F(DirectoryBenchTest, AppendMovesTheTextIntoAnEmptyTableWithItsIndexes)
{
    DirectoryBench bench(folder());
    const QString text = m_dir.filePath(QStringLiteral("employees.txt"));
    DirectoryGenerator(800, 20).writeText(text);
    const QString destination = m_dir.filePath(QStringLiteral("load/employee.DB"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("load"))));

    DirectoryBench::createEmptyEmployees(destination);
    EXPECT_EQ(bench.appendFromText(text, destination), 800);
    EXPECT_EQ(reference(destination, { QStringLiteral("SELECT count(*) FROM records") }), QStringList { "800" });
    EXPECT_EQ(reference(destination,
                  { QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'index' AND tbl_name = 'records' "
                                   "ORDER BY name") }),
        (QStringList { "ByName", "ByNameExact", "ByNameExtension", "PRIMARY" }));

    // Loading the same rows again repeats every key: none moves, and the move goes on to the end.
    EXPECT_EQ(bench.appendFromText(text, destination), 0);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("load/DupTable.db"))));

    // Creating replaces what was there.
    DirectoryBench::createEmptyEmployees(destination);
    EXPECT_EQ(reference(destination, { QStringLiteral("SELECT count(*) FROM records") }), QStringList { "0" });
}

TEST_F(DirectoryBenchTest, LeavesTheAliasConfigurationAsItFoundIt)
{
    const QByteArray previous = qgetenv("DBENGINE_CONFIG");
    const bool hadPrevious = qEnvironmentVariableIsSet("DBENGINE_CONFIG");

    qputenv("DBENGINE_CONFIG", "/nonexistent/aliases.ini");
    {
        DirectoryBench bench(folder());
        EXPECT_NE(qgetenv("DBENGINE_CONFIG"), QByteArray("/nonexistent/aliases.ini"));
        EXPECT_EQ(bench.session().aliasFolder(DirectoryDatabase::Alias), QDir(folder()).absolutePath());
    }
    EXPECT_EQ(qgetenv("DBENGINE_CONFIG"), QByteArray("/nonexistent/aliases.ini"));
    qunsetenv("DBENGINE_CONFIG");
    {
        DirectoryBench bench(folder());
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet("DBENGINE_CONFIG"));

    if (hadPrevious)
        qputenv("DBENGINE_CONFIG", previous);
}

TEST_F(DirectoryBenchTest, RefusesAFolderThatDoesNotExist)
{
    const QString missing = m_dir.filePath(QStringLiteral("missing"));
    try {
        DirectoryBench bench(missing);
        FAIL() << "no error";
    } catch (const db::EngineError& error) {
        EXPECT_TRUE(error.message().contains(missing)) << error.what();
    }
}

// The measuring mode, as the compare script reads it.
class MeasureCommandTest : public DirectoryBenchTest
{
protected:
    int measure(const QStringList& arguments)
    {
        m_output.clear();
        m_errors.clear();
        QTextStream out(&m_output);
        QTextStream err(&m_errors);
        return MeasureCommand(out, err).run(arguments);
    }

    QString m_output;
    QString m_errors;
};

TEST_F(MeasureCommandTest, PrintsOneMachineReadableLinePerScenario)
{
    const QStringList common { "--folder", folder(), "--samples", "2", "--reps", "2" };
    ASSERT_EQ(measure(QStringList { "--measure", "open30" } + common), 0) << m_errors.toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^scenario=open30 ours_ms=\\d+\\.\\d{3} rows=30 samples=2 reps=2\\n$"))
            .match(m_output)
            .hasMatch())
        << m_output.toStdString();

    ASSERT_EQ(measure(QStringList { "--measure", "locate", "--prefixes", "smi" } + common), 0);
    EXPECT_TRUE(m_output.contains(QStringLiteral(" rows=1 "))) << m_output.toStdString();
    ASSERT_EQ(measure(QStringList { "--measure", "locate", "--prefixes", "zzz" } + common), 0);
    EXPECT_TRUE(m_output.contains(QStringLiteral(" rows=0 "))) << m_output.toStdString();

    ASSERT_EQ(measure(QStringList { "--measure", "walk", "--folder", folder(), "--warmups", "0" }), 0);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^scenario=walk ours_ms=\\S+ rows=1500 samples=1 reps=1 "
                                          "rss_before_kb=\\d+ rss_after_kb=\\d+ peak_kb=\\d+ added_mb=\\S+\\n$"))
            .match(m_output)
            .hasMatch())
        << m_output.toStdString();

    const QString text = m_dir.filePath(QStringLiteral("text/employees.txt"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("text"))));
    DirectoryGenerator(300, 20).writeText(text);
    ASSERT_EQ(measure({ "--measure", "append", "--folder", folder(), "--text", text, "--samples", "2" }), 0)
        << m_errors.toStdString();
    EXPECT_TRUE(m_output.contains(QStringLiteral(" rows=300 "))) << m_output.toStdString();
    // The destination was a temporary folder beside the text file, and is gone.
    EXPECT_EQ(QDir(m_dir.filePath(QStringLiteral("text"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(MeasureCommandTest, RefusesBadArgumentsAndReportsFailures)
{
    EXPECT_EQ(measure({ "--measure", "sideways", "--folder", folder() }), 2);
    EXPECT_TRUE(m_errors.contains(QStringLiteral("Usage:")));
    EXPECT_EQ(measure({ "--measure", "open30" }), 2); // no folder
    EXPECT_EQ(measure({ "--measure", "append", "--folder", folder() }), 2); // no text file
    EXPECT_EQ(measure({ "--measure", "open30", "--folder", folder(), "--reps", "0" }), 2);
    EXPECT_EQ(measure({ "--measure", "open30", "--folder", folder(), "--bogus" }), 2);

    const QString missing = m_dir.filePath(QStringLiteral("missing"));
    EXPECT_EQ(measure({ "--measure", "open30", "--folder", missing }), 1);
    EXPECT_TRUE(m_errors.startsWith(QStringLiteral("bench_db: "))) << m_errors.toStdString();
    EXPECT_TRUE(m_errors.contains(missing)) << m_errors.toStdString();
}

} // namespace
