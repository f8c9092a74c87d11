#include "bench/DirectoryBench.h"

#include "GeneratedDirectoryTest.h"
#include "ScopedEnvironmentVariable.h"
#include "TestFiles.h"
#include "TestPrinters.h"
#include "bench/MeasureCommand.h"
#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr qint64 Employees = 1500;

using DirectoryBenchTest = GeneratedDirectoryTest<Employees>;

TEST_F(DirectoryBenchTest, ReadsTheRowsTheAnchorReadsForEachJob)
{
    DirectoryBench bench(folder());
    const QString byName = QStringLiteral(" ORDER BY Name COLLATE NOCASE, rowid");

    const QStringList first = firstColumn(employeeTable(), { QStringLiteral("SELECT Name FROM records") + byName });
    ASSERT_EQ(first.size(), Employees);
    EXPECT_EQ(bench.readFirstRows(30), first.mid(0, 30));

    const std::unique_ptr<db::Table> table = bench.openEmployees();
    // The prefixes the compare script uses: lower case, a quote, a blank, a comma.
    for (const QString prefix : { "smi", "o'b", "van d", "garcia, m", "lee, a" }) {
        const QString pattern = QString(prefix).replace(u'\'', QStringLiteral("''"));
        const QStringList expected = firstColumn(employeeTable(),
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
    const QStringList expected = firstColumn(employeeTable(),
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
    const auto count
        = [&destination] { return firstColumn(destination, { QStringLiteral("SELECT count(*) FROM records") }); };

    DirectoryBench::createEmptyEmployees(destination);
    EXPECT_EQ(bench.appendFromText(text, destination), 800);
    EXPECT_EQ(count(), QStringList { "800" });
    EXPECT_EQ(firstColumn(destination,
                  { QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'index' AND tbl_name = 'records' "
                                   "ORDER BY name") }),
        (QStringList { "ByName", "ByNameExact", "ByNameExtension", "PRIMARY" }));

    // Loading the same rows again repeats every key: none moves, and the move goes on to the end.
    EXPECT_EQ(bench.appendFromText(text, destination), 0);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("load/DupTable.db"))));

    // Creating replaces what was there.
    DirectoryBench::createEmptyEmployees(destination);
    EXPECT_EQ(count(), QStringList { "0" });
}

TEST_F(DirectoryBenchTest, LeavesTheAliasConfigurationAsItFoundIt)
{
    const ScopedEnvironmentVariable config("DBENGINE_CONFIG", QStringLiteral("/nonexistent/aliases.ini"));
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
}

TEST_F(DirectoryBenchTest, RefusesAFolderThatDoesNotExist)
{
    const QString missing = m_dir.filePath(QStringLiteral("missing"));
    const std::string failure = failureOf<db::EngineError>([&missing] { DirectoryBench bench(missing); });
    EXPECT_NE(failure.find(missing.toStdString()), std::string::npos) << failure;
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
    const QString text = m_dir.filePath(QStringLiteral("text/employees.txt"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("text"))));
    DirectoryGenerator(300, 20).writeText(text);
    // The directory's own employees (every one of them a repeated key), and 300 more (none of them one).
    const QString own = m_dir.filePath(QStringLiteral("own/employees.txt"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("own"))));
    DirectoryGenerator(Employees + 300, 20).writeText(own);
    QList<QByteArray> lines = readFile(own).split('\n');
    lines.removeLast(); // after the last line end
    const QString more = m_dir.filePath(QStringLiteral("own/more.txt"));
    ASSERT_TRUE(writeFile(more, lines.mid(Employees).join('\n') + '\n'));
    ASSERT_TRUE(writeFile(own, lines.mid(0, Employees).join('\n') + '\n'));
    ASSERT_TRUE(QFile::copy(
        m_dir.filePath(QStringLiteral("own/employees.SCH")), m_dir.filePath(QStringLiteral("own/more.SCH"))));
    const QStringList common { "--folder", folder(), "--samples", "2", "--reps", "2" };
    const struct
    {
        QStringList arguments;
        const char* line; // a pattern the line must match
    } scenarios[] = {
        { QStringList { "--measure", "open30" } + common,
            "^scenario=open30 ours_ms=\\d+\\.\\d{3} rows=30 samples=2 reps=2\\n$" },
        { QStringList { "--measure", "locate", "--prefixes", "smi" } + common, " rows=1 " },
        { QStringList { "--measure", "locate", "--prefixes", "zzz" } + common, " rows=0 " },
        { { "--measure", "walk", "--folder", folder(), "--warmups", "0" },
            "^scenario=walk ours_ms=\\S+ rows=1500 samples=1 reps=1 rss_before_kb=\\d+ rss_after_kb=\\d+ peak_kb=\\d+ "
            "added_mb=\\S+\\n$" },
        { { "--measure", "append", "--folder", folder(), "--text", text, "--samples", "2" }, " rows=300 " },
        { { "--measure", "previewcopy", "--folder", folder(), "--text", text, "--samples", "2" },
            " rows=300 samples=2 reps=1 added_mb=" },
        { { "--measure", "importfull", "--folder", folder(), "--text", more, "--samples", "2" },
            " rows=300 samples=2 reps=1 refused=0 added_mb=" },
        { { "--measure", "importfull", "--folder", folder(), "--text", own, "--samples", "2" },
            " rows=0 samples=2 reps=1 refused=1500 added_mb=" },
    };
    for (const auto& scenario : scenarios) {
        SCOPED_TRACE(scenario.arguments.join(u' ').toStdString());
        ASSERT_EQ(measure(scenario.arguments), 0) << m_errors.toStdString();
        EXPECT_TRUE(QRegularExpression(QString::fromLatin1(scenario.line)).match(m_output).hasMatch())
            << m_output.toStdString();
    }
    // The append's destination was a temporary folder beside the text file, and is gone; the import's copy of the
    // directory's table was made there, and the directory's own table is as it was.
    EXPECT_EQ(QDir(m_dir.filePath(QStringLiteral("text"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(firstColumn(employeeTable(), { QStringLiteral("SELECT count(*) FROM records") }), QStringList { "1500" });
}

TEST_F(MeasureCommandTest, RefusesBadArgumentsAndReportsFailures)
{
    const QStringList badArguments[] = {
        { "--measure", "sideways", "--folder", folder() },
        { "--measure", "open30" }, // no folder
        { "--measure", "append", "--folder", folder() }, // no text file
        { "--measure", "open30", "--folder", folder(), "--reps", "0" },
        { "--measure", "open30", "--folder", folder(), "--bogus" },
    };
    for (const QStringList& arguments : badArguments) {
        EXPECT_EQ(measure(arguments), 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(m_errors.contains(QStringLiteral("Usage:"))) << m_errors.toStdString();
    }

    const QString missing = m_dir.filePath(QStringLiteral("missing"));
    EXPECT_EQ(measure({ "--measure", "open30", "--folder", missing }), 1);
    EXPECT_TRUE(m_errors.startsWith(QStringLiteral("bench_db: "))) << m_errors.toStdString();
    EXPECT_TRUE(m_errors.contains(missing)) << m_errors.toStdString();
}

} // namespace
