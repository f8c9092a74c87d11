#include "TestAlias.h"

#include "platform/db/BatchMove.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"
#include "platform/db/TableFile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <iostream>
#include <string>

namespace {

// The test binary itself, started again to play the other program.
class ChildProgram
{
public:
    explicit ChildProgram(const QByteArray& role, const QString& folder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("RF_DB_CHILD_ROLE", QString::fromLatin1(role));
        environment.insert("RF_DB_CHILD_FOLDER", folder);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(QFileInfo("/proc/self/exe").canonicalFilePath(),
            { "--gtest_filter=ChildProgram.DISABLED_PlaysItsRole", "--gtest_also_run_disabled_tests" });
        m_process.waitForStarted(10000);
    }

    ~ChildProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // Waits until the child has written the word, at most `ms` milliseconds.
    bool waitFor(const QByteArray& word, int ms = 60000)
    {
        const QDeadlineTimer deadline(ms);
        for (;;) {
            m_output += m_process.readAllStandardOutput();
            if (m_output.contains(word))
                return true;
            if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
                return false;
            m_process.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
        }
    }

    void release()
    {
        m_process.write("go\n");
        m_process.closeWriteChannel();
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    bool finishedCleanly(int ms = 60000)
    {
        return m_process.waitForFinished(ms) && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }
    QByteArray output() { return m_output + m_process.readAllStandardOutput() + m_process.readAllStandardError(); }

private:
    QProcess m_process;
    QByteArray m_output;
};

void waitForGo()
{
    std::string line;
    std::getline(std::cin, line);
}

std::unique_ptr<db::Table> employees(db::Session& session)
{
    auto table = std::make_unique<db::Table>();
    table->setSession(session);
    table->setDatabaseName(TestAlias::Name);
    table->setTableName("employee.DB");
    table->setIndexName("ByName");
    return table;
}

// The other program's side. It runs only when a test below starts it.
TEST(ChildProgram, DISABLED_PlaysItsRole)
{
    const QByteArray role = qgetenv("RF_DB_CHILD_ROLE");
    const QString folder = qEnvironmentVariable("RF_DB_CHILD_FOLDER");
    if (role.isEmpty())
        GTEST_SKIP() << "started by the process tests only";
    db::Session session;
    session.AddPassword(TestAlias::Password);

    if (role == "hold-lock") {
        sqlite3* raw = nullptr;
        sqlite3_open((folder + "/employee.DB").toUtf8().constData(), &raw);
        ASSERT_EQ(sqlite3_exec(raw, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        std::cout << "locked" << std::endl;
        waitForGo();
        sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(raw);
    } else if (role == "insert-row") {
        auto table = employees(session);
        table->Open();
        table->Insert();
        table->FieldByName("Department").setAsString("Sales");
        table->FieldByName("Name").setAsString("CHILD, CHLOE");
        table->Post();
        std::cout << "posted" << std::endl;
    } else if (role == "append-and-wait") {
        db::Table source;
        source.setSession(session);
        source.setDatabaseName(TestAlias::Name);
        source.setTableName("source.DB");
        auto destination = employees(session);
        int rows = 0;
        // Well into the move, the parent is told so and kills this process.
        source.AfterScroll = [&rows](db::DataSet&) {
            if (++rows == 20000) {
                std::cout << "inside" << std::endl;
                waitForGo();
            }
        };
        db::BatchMove move;
        move.setSource(&source);
        move.setDestination(destination.get());
        move.setMode(db::BatchMove::Mode::Append);
        move.setKeyViolTableName("DupTable.db");
        move.setAbortOnKeyViol(false);
        move.Execute();
        std::cout << "moved" << std::endl;
    }
}

QString integrity(const QString& path)
{
    sqlite3* raw = nullptr;
    sqlite3_open(path.toUtf8().constData(), &raw);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &statement, nullptr);
    QString result;
    if (sqlite3_step(statement) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    sqlite3_close(raw);
    return result;
}

// A program killed in the middle of a batch move leaves the destination with none of the moved rows: into an
// empty table (indexes dropped for the load) and into one with rows, where the move has already written pages of
// the file itself and only the rollback journal can restore it.
TEST(ProcessTest, KilledBatchMoveLeavesTheDestinationAsItWas)
{
    for (const bool empty : { true, false }) {
        SCOPED_TRACE(empty ? "empty destination" : "destination with rows");
        TestAlias alias;
        std::vector<QVariantList> existing;
        if (!empty)
            existing.push_back({ "Sales", "FIRST, ROW", "1" });
        alias.createEmployees(existing);
        std::vector<QVariantList> rows;
        for (int i = 0; i < 30000; ++i) {
            rows.push_back({ QStringLiteral("Department %1").arg(i % 40), QStringLiteral("EMPLOYEE NAME %1").arg(i),
                "100-200-300", "555-0100", "555-0101", "555-0102", "someone@example.com", "A TITLE" });
        }
        db::TableDef source = TestAlias::employeeDefinition();
        source.primaryKey.clear();
        source.indexes.clear();
        alias.createTable("source.DB", source, rows);
        const QByteArray before = alias.readFile("employee.DB");

        ChildProgram child("append-and-wait", alias.folder());
        ASSERT_TRUE(child.waitFor("inside")) << child.output().toStdString();
        EXPECT_TRUE(QFile::exists(alias.path("employee.DB-journal")));
        if (!empty) {
            EXPECT_NE(alias.readFile("employee.DB"), before); // pages already written to the table file
        }
        child.kill();

        const db::TableFile table(alias.path("employee.DB"), alias.session());
        EXPECT_EQ(table.rowCount(), static_cast<qint64>(existing.size()));
        EXPECT_EQ(table.definition(), TestAlias::employeeDefinition());
        EXPECT_EQ(integrity(alias.path("employee.DB")), "ok");
        EXPECT_EQ(alias.readFile("employee.DB"), before);
    }
}

TEST(ProcessTest, AnotherProgramWritesWhileThisOneHoldsTheTableOpen)
{
    TestAlias alias;
    alias.createEmployees({ { "Sales", "ADAMS, AL", "1" }, { "Sales", "DUNN, DI", "2" } });
    auto table = employees(alias.session());
    table->Open();
    table->Next();
    ASSERT_EQ(table->FieldByName("Name").AsString(), "DUNN, DI");

    ChildProgram child("insert-row", alias.folder());
    ASSERT_TRUE(child.finishedCleanly()) << child.output().toStdString();
    EXPECT_TRUE(child.waitFor("posted"));

    table->Refresh();
    EXPECT_EQ(table->FieldByName("Name").AsString(), "DUNN, DI");
    EXPECT_EQ(table->RecordCount(), 3);
    EXPECT_TRUE(table->Locate("Name", "CHILD, CHLOE"));
}

TEST(ProcessTest, ATableAnotherProgramLocksIsReportedBusy)
{
    TestAlias alias;
    alias.createEmployees({ { "Sales", "ADAMS, AL", "1" } });
    auto open = employees(alias.session());
    open->Open();

    ChildProgram child("hold-lock", alias.folder());
    ASSERT_TRUE(child.waitFor("locked")) << child.output().toStdString();
    auto table = employees(alias.session());
    try {
        table->Open();
        FAIL() << "opened a table another program holds locked";
    } catch (const db::EngineError& error) {
        EXPECT_EQ(error.message(), "Table employee.DB is busy: another program is using it");
    }
    EXPECT_FALSE(table->Active());
    EXPECT_THROW(open->Edit(), db::EngineError);
    EXPECT_EQ(open->State(), db::DataSetState::Browse);

    child.release();
    ASSERT_TRUE(child.finishedCleanly()) << child.output().toStdString();
    table->Open();
    open->Edit();
    open->FieldByName("Extension").setAsString("9");
    open->Post();
    table->Refresh();
    EXPECT_EQ(table->FieldByName("Extension").AsString(), "9");
}

} // namespace
