#include "ChildProcess.h"
#include "ChildRole.h"
#include "FileOperationTrap.h"
#include "SqliteShell.h"
#include "TestAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/BatchMove.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"
#include "platform/db/TableFile.h"

#include <QFile>

#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <string>

namespace {

constexpr int childDeadlineMs = 60000;

// The folder the other program works in, and the file operation to stop it at (0: none, each one written out).
QProcessEnvironment childEnvironment(const QString& folder, qint64 stopAt = 0)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("RF_DB_CHILD_FOLDER"), folder);
    environment.insert(QStringLiteral("RF_DB_CHILD_STOP"), QString::number(stopAt));
    return environment;
}

QString childFolder()
{
    return qEnvironmentVariable("RF_DB_CHILD_FOLDER");
}

void waitForGo()
{
    std::string line;
    std::getline(std::cin, line);
}

std::unique_ptr<db::Table> employees(db::Session& session)
{
    return TestAlias::table(session, "employee.DB", "ByName");
}

// The other program's parts, played by this binary started again.

// Holds employee.DB locked until told to go on.
const ChildRole holdLock(QStringLiteral("hold-lock"), [] {
    SqliteShell holder(childFolder() + "/employee.DB");
    if (!holder.execute("BEGIN EXCLUSIVE"))
        return;
    std::cout << "locked" << std::endl;
    waitForGo();
    holder.execute("ROLLBACK");
});

// Adds one employee through the engine.
const ChildRole insertRow(QStringLiteral("insert-row"), [] {
    db::Session session;
    session.AddPassword(TestAlias::Password);
    auto table = employees(session);
    table->Open();
    table->Insert();
    table->FieldByName("Department").setAsString("Sales");
    table->FieldByName("Name").setAsString("CHILD, CHLOE");
    table->Post();
    std::cout << "posted" << std::endl;
});

// Appends source.DB to employee.DB, stopped at the file operation the parent names, which kills it there; else
// each operation is written out.
const ChildRole append(QStringLiteral("append"), [] {
    const qint64 stopAt = qEnvironmentVariable("RF_DB_CHILD_STOP").toLongLong();
    FileOperationTrap::install(stopAt, stopAt == 0);
    db::Session session;
    session.AddPassword(TestAlias::Password);
    auto source = TestAlias::table(session, "source.DB");
    auto destination = employees(session);
    db::BatchMove move;
    move.setSource(source.get());
    move.setDestination(destination.get());
    move.setMode(db::BatchMove::Mode::Append);
    move.setKeyViolTableName("DupTable.db");
    move.setAbortOnKeyViol(false);
    move.Execute();
    std::cout << "moved" << std::endl;
});

// A program killed at any moment of a batch move leaves the destination with none of the moved rows or all of them,
// whole and with its structure: into an empty table and into one with rows, whose indexes the move drops and builds
// again, the moment when the move has written most pages of the file itself and only the rollback journal can
// restore it included.
TEST(ProcessTest, KilledBatchMoveLeavesTheDestinationAsItWas)
{
    constexpr int moved = 30000;
    for (const bool empty : { true, false }) {
        SCOPED_TRACE(empty ? "empty destination" : "destination with rows");
        std::vector<QVariantList> existing;
        if (!empty)
            existing.push_back({ "Sales", "FIRST, ROW", "1" });
        QByteArray before;
        QByteArray source;
        {
            TestAlias seed;
            seed.createEmployees(existing);
            std::vector<QVariantList> rows;
            for (int i = 0; i < moved; ++i) {
                rows.push_back({ QStringLiteral("Department %1").arg(i % 40), QStringLiteral("EMPLOYEE NAME %1").arg(i),
                    "100-200-300", "555-0100", "555-0101", "555-0102", "someone@example.com", "A TITLE" });
            }
            db::TableDef definition = DirectoryDatabase::employeeDefinition();
            definition.primaryKey.clear();
            definition.indexes.clear();
            seed.createTable("source.DB", definition, rows);
            before = seed.readFile("employee.DB");
            source = seed.readFile("source.DB");
        }
        const auto seeded = [&](TestAlias& alias) {
            alias.writeFile("employee.DB", before);
            alias.writeFile("source.DB", source);
        };

        // The file operations of a move left to finish.
        QStringList operations;
        {
            TestAlias alias;
            seeded(alias);
            ChildProcess child(childEnvironment(alias.folder()), childDeadlineMs);
            ASSERT_TRUE(child.startRole(QStringLiteral("append")));
            ASSERT_TRUE(child.waitForOutput("moved")) << child.output().toStdString();
            operations = FileOperationTrap::operationsIn(child.output());
            EXPECT_EQ(db::TableFile(alias.path("employee.DB"), alias.session()).rowCount(),
                static_cast<qint64>(existing.size()) + moved);
        }
        const qint64 lastTableWrite = operations.lastIndexOf("write employee.DB") + 1;
        ASSERT_GT(lastTableWrite, 0) << operations.join(u'\n').toStdString();
        // Spread over the move, and at the journal's first sync and the table file's last write, when the commit has
        // written all but one page.
        std::set<qint64> stops { operations.indexOf("sync employee.DB-journal") + 1, lastTableWrite };
        for (qint64 part = 1; part < 8; ++part)
            stops.insert(operations.size() * part / 8 + 1);

        for (const qint64 stop : stops) {
            SCOPED_TRACE(FileOperationTrap::describeStop(stop, operations));
            TestAlias alias;
            seeded(alias);
            ChildProcess child(childEnvironment(alias.folder(), stop), childDeadlineMs);
            ASSERT_TRUE(child.startRole(QStringLiteral("append")));
            ASSERT_TRUE(child.waitForOutput("stopped at")) << child.output().toStdString();
            if (stop == lastTableWrite) {
                EXPECT_TRUE(QFile::exists(alias.path("employee.DB-journal")));
                EXPECT_NE(alias.readFile("employee.DB"), before); // pages already written to the table file
            }
            child.kill();

            const db::TableFile table(alias.path("employee.DB"), alias.session());
            const qint64 rows = table.rowCount();
            EXPECT_TRUE(rows == static_cast<qint64>(existing.size()) || rows == qint64(existing.size()) + moved)
                << rows;
            if (stop == lastTableWrite || rows == static_cast<qint64>(existing.size())) {
                EXPECT_EQ(alias.readFile("employee.DB"), before);
            }
            EXPECT_EQ(table.definition(), DirectoryDatabase::employeeDefinition());
            EXPECT_EQ(SqliteShell(alias.path("employee.DB")).integrity(), "ok");
        }
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

    ChildProcess child(childEnvironment(alias.folder()), childDeadlineMs);
    ASSERT_TRUE(child.startRole(QStringLiteral("insert-row")));
    ASSERT_TRUE(child.waitForExit());
    ASSERT_EQ(child.exitCode(), 0) << child.output().toStdString();
    EXPECT_TRUE(child.waitForOutput("posted"));

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

    ChildProcess child(childEnvironment(alias.folder()), childDeadlineMs);
    ASSERT_TRUE(child.startRole(QStringLiteral("hold-lock")));
    ASSERT_TRUE(child.waitForOutput("locked")) << child.output().toStdString();
    auto table = employees(alias.session());
    EXPECT_EQ(
        failureOf<db::EngineError>([&] { table->Open(); }), "Table employee.DB is busy: another program is using it");
    EXPECT_FALSE(table->Active());
    EXPECT_THROW(open->Edit(), db::EngineError);
    EXPECT_EQ(open->State(), db::DataSetState::Browse);

    child.writeLine("go");
    ASSERT_TRUE(child.waitForExit());
    ASSERT_EQ(child.exitCode(), 0) << child.output().toStdString();
    table->Open();
    open->Edit();
    open->FieldByName("Extension").setAsString("9");
    open->Post();
    table->Refresh();
    EXPECT_EQ(table->FieldByName("Extension").AsString(), "9");
}

} // namespace
