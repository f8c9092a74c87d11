#include "SqliteShell.h"
#include "TestAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/BatchMove.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"
#include "platform/db/TableFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace {

using db::BatchMove;
using db::EngineError;

const QByteArray EmployeeSchema = "[employeecom]\n"
                                  "filetype=delimited\n"
                                  "separator=,\n"
                                  "delimiter=\"\n"
                                  "charset=utf-8\n"
                                  "field1=Department,alpha,35\n"
                                  "field2=Name,alpha,35\n"
                                  "field3=Extension,alpha,35\n"
                                  "field4=Cellular,alpha,25\n"
                                  "field5=Pager,alpha,25\n"
                                  "field6=HomePhone,alpha,35\n"
                                  "field7=EMail,alpha,35\n"
                                  "field8=Title,alpha,35\n";

// One line of an employee text file: department, name and extension, the other five fields empty.
QByteArray line(const char* department, const char* name, const char* extension)
{
    return QByteArray(department) + ",\"" + name + "\"," + extension + ",,,,,\n";
}

class BatchMoveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_alias.createEmployees({ { "Sales", "SMITH, ANN", "201" }, { "Research", "COOK, CY", "202" } });
        m_alias.writeFile("employeecom.SCH", EmployeeSchema);
    }

    std::unique_ptr<db::Table> table(const QString& name) { return m_alias.table(name); }
    std::unique_ptr<db::Table> textTable(const QString& name)
    {
        auto text = table(name);
        text->setTableType(db::Table::Type::Ascii);
        return text;
    }

    // The import's preview: the text file copied into DestTable.db.
    void preview(const QByteArray& lines, bool abortOnProblem = false)
    {
        m_alias.writeFile("employeecom.dll", lines);
        previewFile("employeecom.dll", abortOnProblem);
    }
    void previewFile(const QString& textFile, bool abortOnProblem = false)
    {
        auto source = textTable(textFile);
        auto destination = table("DestTable.db");
        BatchMove move;
        move.setSource(source.get());
        move.setDestination(destination.get());
        move.setMode(BatchMove::Mode::Copy);
        move.setAbortOnKeyViol(false);
        move.setAbortOnProblem(abortOnProblem);
        move.Execute();
        m_moved = move.MovedCount();
        m_problems = move.ProblemCount();
    }

    // An append into the table named, its refused rows into DupTable.db, nothing stopping it.
    BatchMove& appendMove(std::unique_ptr<db::Table> source, const QString& destination)
    {
        m_source = std::move(source);
        m_destination = table(destination);
        m_move.setSource(m_source.get());
        m_move.setDestination(m_destination.get());
        m_move.setMode(BatchMove::Mode::Append);
        m_move.setKeyViolTableName("DupTable.db");
        m_move.setAbortOnKeyViol(false);
        m_move.setAbortOnProblem(false);
        return m_move;
    }

    QStringList names(const QString& tableName) { return values(*m_alias.open(tableName), "Name"); }

    TestAlias m_alias;
    std::unique_ptr<db::Table> m_source;
    std::unique_ptr<db::Table> m_destination;
    BatchMove m_move;
    qint64 m_moved = 0;
    qint64 m_problems = 0;
};

TEST_F(BatchMoveTest, CopyCreatesThePreviewTableFromTheTextFile)
{
    m_alias.createTable("DestTable.db", DirectoryDatabase::departmentDefinition(), { { "Old" } }); // replaced
    preview("Sales,\"DOE, JANE\",301,,,,jane@example.com,CLERK\n"
            "Sales,\"TOO LONG, "
        + QByteArray(40, 'X')
        + "\",302,,,,,\n"
          "Research,\"ROE, RAY\",303,1,2,3,4,5\n"
        + line("Sales", "SMITH, ANN", "304"));
    EXPECT_EQ(m_moved, 3);
    EXPECT_EQ(m_problems, 1);

    const db::TableFile copy(m_alias.path("DestTable.db"), m_alias.session());
    EXPECT_EQ(copy.definition().fields, DirectoryDatabase::employeeDefinition().fields);
    EXPECT_TRUE(copy.definition().primaryKey.isEmpty());
    EXPECT_TRUE(copy.definition().indexes.isEmpty());
    EXPECT_FALSE(copy.isProtected());
    EXPECT_EQ(names("DestTable.db"), (QStringList { "DOE, JANE", "ROE, RAY", "SMITH, ANN" }));
    EXPECT_EQ(QDir(m_alias.folder()).entryList({ "*.new-*" }, QDir::Files), QStringList());

    // The text table itself reads as a read-only data set.
    auto text = textTable("EMPLOYEECOM.DLL");
    text->Open();
    EXPECT_EQ(text->RecordCount(), 3);
    EXPECT_EQ(text->problemCount(), 1);
    EXPECT_EQ(text->FieldByName("EMail").AsString(), "jane@example.com");
    EXPECT_FALSE(text->CanModify());
    EXPECT_THROW(text->Edit(), EngineError);
}

TEST_F(BatchMoveTest, AppendRefusesRepeatedKeysIntoTheKeyViolationTable)
{
    preview(
        line("Sales", "DOE, JANE", "301") + line("Sales", "SMITH, ANN", "999") + line("Research", "ROE, RAY", "303"));
    BatchMove& move = appendMove(table("DestTable.db"), "Employee.db");
    move.Execute();
    EXPECT_EQ(move.MovedCount(), 2);
    EXPECT_EQ(move.KeyViolCount(), 1);
    EXPECT_EQ(move.ProblemCount(), 0);
    EXPECT_EQ(names("employee.DB"), (QStringList { "COOK, CY", "ROE, RAY", "DOE, JANE", "SMITH, ANN" }));

    // The refused row, with the destination's fields and protection; a file copy of it can be corrected and
    // imported again.
    const db::TableFile refused(m_alias.path("DupTable.db"), m_alias.session());
    EXPECT_EQ(refused.definition().fields, DirectoryDatabase::employeeDefinition().fields);
    EXPECT_TRUE(refused.isProtected());
    ASSERT_TRUE(QFile::copy(m_alias.path("DupTable.db"), m_alias.path("TempTable.db")));
    auto corrected = table("TempTable.db");
    corrected->Open();
    EXPECT_EQ(corrected->FieldByName("Extension").AsString(), "999");
    corrected->Edit();
    corrected->FieldByName("Name").setAsString("SMITH, ANNA");
    corrected->Post();
    corrected->Close();
    BatchMove again;
    again.setSource(corrected.get());
    again.setDestination(m_destination.get());
    again.setMode(BatchMove::Mode::Append);
    again.setAbortOnKeyViol(false);
    again.Execute();
    EXPECT_EQ(again.MovedCount(), 1);
    EXPECT_EQ(again.KeyViolCount(), 0);
    EXPECT_FALSE(corrected->Active()); // the move opened it and closed it again
}

TEST_F(BatchMoveTest, AbortOnKeyViolationLeavesTheDestinationAsItWas)
{
    preview(line("Sales", "DOE, JANE", "301") + line("Sales", "SMITH, ANN", "999"));
    const QByteArray before = m_alias.readFile("employee.DB");
    BatchMove& move = appendMove(table("DestTable.db"), "employee");
    move.setAbortOnKeyViol(true);
    EXPECT_THROW(move.Execute(), db::KeyViolation);
    EXPECT_EQ(m_alias.readFile("employee.DB"), before);
    EXPECT_FALSE(QFile::exists(m_alias.path("employee.DB-journal")));
}

TEST_F(BatchMoveTest, ProblemsAreCountedOrStopTheMove)
{
    m_alias.writeFile("employeecom.dll",
        line("Sales", "DOE, JANE", "301") + "\"unterminated,302\n" + line("Sales", "NEW, NED", "303"));
    BatchMove& move = appendMove(textTable("employeecom.dll"), "employee.DB");
    const QByteArray before = m_alias.readFile("employee.DB");
    move.setAbortOnProblem(true);
    const std::string stopped = failureOf<EngineError>([&] { move.Execute(); });
    EXPECT_NE(stopped.find("line 2"), std::string::npos) << stopped;
    EXPECT_EQ(m_alias.readFile("employee.DB"), before);

    move.setAbortOnProblem(false);
    move.Execute();
    EXPECT_EQ(move.MovedCount(), 2);
    EXPECT_EQ(move.ProblemCount(), 1);

    // A copy stopped by a problem leaves the earlier preview whole.
    preview(line("Sales", "DOE, JANE", "301"));
    const QByteArray previewBytes = m_alias.readFile("DestTable.db");
    EXPECT_THROW(preview(line("Sales", "X", "1") + ",,,,,,,,,,,,\n", true), EngineError);
    EXPECT_EQ(m_alias.readFile("DestTable.db"), previewBytes);
    EXPECT_EQ(QDir(m_alias.folder()).entryList({ "*.new-*" }, QDir::Files), QStringList());
}

TEST_F(BatchMoveTest, ValuesThatDoNotConvertAreProblems)
{
    db::TableDef text;
    text.fields = { { "Name", db::FieldType::Alpha, 40 }, { "Number", db::FieldType::Alpha, 10 } };
    m_alias.createTable("raw.DB", text, { { "fits", "12" }, { "not a number", "twelve" }, { QString(36, u'L'), "1" } });
    m_alias.createTable(DirectoryDatabase::ReportTable, DirectoryDatabase::reportDefinition(), {});
    BatchMove& move = appendMove(table("raw"), "Report");
    move.Execute();
    EXPECT_EQ(move.MovedCount(), 1);
    EXPECT_EQ(move.ProblemCount(), 2);
}

TEST_F(BatchMoveTest, AppendIntoAnEmptyTableKeepsItsIndexes)
{
    m_alias.createEmployees({});
    preview(line("Sales", "DOE, JANE", "301") + line("sales", "adams, al", "302") + line("Sales", "DOE, JANE", "303")
        + line("Research", "BAKER, BO", "304"));
    BatchMove& move = appendMove(table("DestTable.db"), "employee.DB");
    const QByteArray before = m_alias.readFile("employee.DB");
    move.setAbortOnKeyViol(true);
    EXPECT_THROW(move.Execute(), db::KeyViolation);
    EXPECT_EQ(m_alias.readFile("employee.DB"), before);
    EXPECT_FALSE(QFile::exists(m_alias.path("DupTable.db")));

    move.setAbortOnKeyViol(false);
    m_destination->setIndexName("ByName");
    m_destination->Open();
    move.Execute();
    EXPECT_EQ(move.MovedCount(), 3);
    EXPECT_EQ(move.KeyViolCount(), 1);
    // The open destination was refreshed and reads in name order.
    EXPECT_EQ(m_destination->RecordCount(), 3);
    EXPECT_EQ(m_destination->FieldByName("Name").AsString(), "adams, al");
    const db::TableFile file(m_alias.path("employee.DB"), m_alias.session());
    EXPECT_EQ(file.definition(), DirectoryDatabase::employeeDefinition());
    EXPECT_EQ(names("DupTable.db"), QStringList { "DOE, JANE" });
}

// Cellular is wider in the text than in the table: a value of 26 to 35 characters reaches the preview table and is
// a problem of the append.
void writeWideSchema(TestAlias& alias)
{
    QByteArray wideSchema = EmployeeSchema;
    wideSchema.replace("[employeecom]", "[widecom]").replace("field4=Cellular,alpha,25", "field4=Cellular,alpha,35");
    alias.writeFile("widecom.SCH", wideSchema);
}

// Every row of a table file in stored order, all fields, as the SQLite library reads them.
QStringList storedRows(const QString& path)
{
    return SqliteShell(path).column("SELECT Department || '|' || Name || '|' || Extension || '|' || Cellular || '|' || "
                                    "Pager || '|' || HomePhone || '|' || EMail || '|' || Title FROM records "
                                    "ORDER BY rowid");
}

QStringList schemaOf(const QString& path)
{
    return SqliteShell(path).column("SELECT sql || ' @' || rootpage FROM sqlite_schema ORDER BY rowid");
}

// Appending a table file, which the engine does set at a time, gives what appending the same rows one by one from
// the text file gives: the same rows added in the same order, the same rows refused into the key-violation table
// in the same order, the same counts and problem, and the table's structure as it was. Into an empty table; into
// one whose rows are few beside those added, whose indexes are dropped and built again (so their pages move), with
// keys checked first or, where a sample of the keys added finds none the table holds, by the key index built again
// (checked anew when it finds a repeat, also one the sample missed); and into one whose rows are many, whose indexes
// are kept.
TEST_F(BatchMoveTest, AppendingATableGivesWhatAppendingRowByRowGives)
{
    writeWideSchema(m_alias);
    QByteArray mixed = line("Sales", "DOE, JANE", "301") + line("Sales", "HELD 1", "302")
        + line("sales", "HELD 1", "303") + line("Research", "ROE, RAY", "304") + line("Sales", "DOE, JANE", "305")
        + "Sales,\"WIDE, WALLY\",306," + QByteArray(30, '5') + ",,,,\n" + line("Sales", "", "307")
        + line("Sales", "", "308") + line("Research", "ROE, RAY", "309") + line("Sales", "HELD 150", "310");
    for (int i = 0; i < 12; ++i)
        mixed += line("Lab", QByteArray("NEW ") + QByteArray::number(i), QByteArray::number(400 + i));
    // 2,500 rows, of which the 1,001st repeats a key the table holds and the 2,001st the key of an earlier row.
    QByteArray bulk;
    for (int i = 1; i <= 2500; ++i) {
        const QByteArray name = i == 1001 ? QByteArray("HELD 1")
            : i == 2001                   ? QByteArray("BULK 5")
                                          : QByteArray("BULK ") + QByteArray::number(i);
        bulk += line(i == 1001 ? "Sales" : "Lab", name, QByteArray::number(i));
    }
    const QByteArray repeatsOnly = line("Lab", "ONE", "1") + line("Lab", "TWO", "2") + line("Lab", "ONE", "3");

    struct Case
    {
        const char* what;
        const QByteArray& lines;
        int held;
        qint64 moved;
        qint64 refused;
        qint64 problems;
        bool indexesRebuilt;
    };
    const Case cases[] = {
        { "into an empty table", mixed, 0, 18, 3, 1, true },
        { "keys checked first", mixed, 3, 17, 4, 1, true },
        { "indexes kept", mixed, 200, 16, 5, 1, false },
        { "a repeat the sample missed", bulk, 3, 2498, 2, 0, true },
        { "no key held, one repeated", repeatsOnly, 3, 2, 1, 0, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_alias.writeFile("widecom.dll", c.lines);
        std::vector<QVariantList> held;
        for (int i = 0; i < c.held; ++i)
            held.push_back({ "Sales", QStringLiteral("HELD %1").arg(i), "100" });
        m_alias.createEmployees(held);
        ASSERT_TRUE(QFile::remove(m_alias.path("staff.DB")) || !QFile::exists(m_alias.path("staff.DB")));
        ASSERT_TRUE(QFile::copy(m_alias.path("employee.DB"), m_alias.path("staff.DB")));
        const QStringList schema = schemaOf(m_alias.path("employee.DB"));
        previewFile("widecom.dll");
        ASSERT_EQ(m_problems, 0);

        BatchMove& byTable = appendMove(table("DestTable.db"), "employee.DB");
        byTable.Execute();
        auto text = textTable("widecom.dll");
        auto staff = table("staff.DB");
        BatchMove byRow;
        byRow.setSource(text.get());
        byRow.setDestination(staff.get());
        byRow.setMode(BatchMove::Mode::Append);
        byRow.setKeyViolTableName("DupRows.db");
        byRow.setAbortOnKeyViol(false);
        byRow.setAbortOnProblem(false);
        byRow.Execute();

        EXPECT_EQ(byTable.MovedCount(), c.moved);
        EXPECT_EQ(byTable.KeyViolCount(), c.refused);
        EXPECT_EQ(byTable.ProblemCount(), c.problems);
        if (c.problems > 0) {
            EXPECT_EQ(byTable.FirstProblem().toStdString(),
                "row 6: field 'Cellular' cannot take the value: the text "
                "has 30 characters, the field holds at most 25");
        }
        EXPECT_EQ(byRow.MovedCount(), byTable.MovedCount());
        EXPECT_EQ(byRow.KeyViolCount(), byTable.KeyViolCount());
        EXPECT_EQ(byRow.ProblemCount(), byTable.ProblemCount());
        EXPECT_EQ(byRow.FirstProblem(), byTable.FirstProblem());
        EXPECT_EQ(storedRows(m_alias.path("employee.DB")), storedRows(m_alias.path("staff.DB")));
        EXPECT_EQ(storedRows(m_alias.path("DupTable.db")), storedRows(m_alias.path("DupRows.db")));
        EXPECT_EQ(db::TableFile(m_alias.path("DupTable.db"), m_alias.session()).definition().fields,
            DirectoryDatabase::employeeDefinition().fields);

        // The same statements make the same structure; only the pages of indexes built again move.
        const QStringList after = schemaOf(m_alias.path("employee.DB"));
        EXPECT_EQ(after != schema, c.indexesRebuilt);
        const auto withoutPages = [](QStringList statements) {
            for (QString& statement : statements)
                statement.truncate(statement.lastIndexOf(u'@'));
            return statements;
        };
        EXPECT_EQ(withoutPages(after), withoutPages(schema));
        EXPECT_EQ(SqliteShell(m_alias.path("employee.DB")).integrity(), "ok");
    }
}

// Where the rows stop a move that stops at problems or key violations: at the first of them in stored order, with
// the table and the key-violation table left as they were.
TEST_F(BatchMoveTest, AppendingATableStopsAtTheFirstProblemOrKeyViolation)
{
    writeWideSchema(m_alias);
    const QByteArray wide = "Lab,\"WIDE, WALLY\",306," + QByteArray(30, '5') + ",,,,\n";
    const QByteArray repeat = line("Sales", "SMITH, ANN", "999");
    const QByteArray fresh = line("Lab", "NEW, NED", "1");
    m_alias.createTable("DupTable.db", DirectoryDatabase::departmentDefinition(), { { "EARLIER" } });

    struct Case
    {
        QByteArray lines;
        bool abortOnProblem;
        bool abortOnKeyViol;
        const char* failure;
    };
    const Case cases[] = {
        { fresh + wide + repeat, true, true, "The batch move into employee.DB stopped at row 2: field 'Cellular'" },
        { fresh + repeat + wide, true, true, "Key violation in table employee.DB: the batch move was stopped" },
        { fresh + repeat + wide, true, false, "The batch move into employee.DB stopped at row 3: field 'Cellular'" },
        { fresh + wide + repeat, false, true, "Key violation in table employee.DB: the batch move was stopped" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        m_alias.writeFile("widecom.dll", c.lines);
        previewFile("widecom.dll");

        const QByteArray table = m_alias.readFile("employee.DB");
        const QByteArray refused = m_alias.readFile("DupTable.db");
        BatchMove& move = appendMove(this->table("DestTable.db"), "employee.DB");
        move.setAbortOnProblem(c.abortOnProblem);
        move.setAbortOnKeyViol(c.abortOnKeyViol);
        const std::string failure = failureOf<EngineError>([&] { move.Execute(); });
        EXPECT_EQ(failure.rfind(c.failure, 0), 0u) << failure;
        EXPECT_EQ(m_alias.readFile("employee.DB"), table);
        EXPECT_EQ(m_alias.readFile("DupTable.db"), refused);
    }
}

// Each append that refuses rows replaces the key-violation table with one of the destination's fields and
// protection holding only its own refused rows, whatever the file held before, even no table at all; an append
// that refuses none leaves it as it was. The table refused into cannot be the table appended to or the source.
TEST_F(BatchMoveTest, RefusedRowsReplaceTheKeyViolationTable)
{
    preview(line("Sales", "SMITH, ANN", "999") + line("Lab", "NEW, NED", "1"));
    m_alias.writeFile("employeecom.dll", line("Research", "COOK, CY", "998"));
    struct Case
    {
        const char* was;
        QByteArray bytes; // empty: a department table
        bool fromText;
    };
    for (const Case& c : { Case { "a department table", {}, false }, Case { "not a table", "no table", true },
             Case { "missing", "", false } }) {
        SCOPED_TRACE(c.was);
        QFile::remove(m_alias.path("DupTable.db"));
        if (c.bytes.isNull())
            m_alias.createTable("DupTable.db", DirectoryDatabase::departmentDefinition(), { { "EARLIER" } }, false);
        else if (!c.bytes.isEmpty())
            m_alias.writeFile("DupTable.db", c.bytes);
        m_alias.createEmployees({ { "Sales", "SMITH, ANN", "201" }, { "Research", "COOK, CY", "202" } });
        BatchMove& move = appendMove(c.fromText ? textTable("employeecom.dll") : table("DestTable.db"), "employee.DB");
        move.Execute();
        EXPECT_EQ(move.KeyViolCount(), 1);
        const db::TableFile refused(m_alias.path("DupTable.db"), m_alias.session());
        EXPECT_EQ(refused.definition().fields, DirectoryDatabase::employeeDefinition().fields);
        EXPECT_TRUE(refused.definition().primaryKey.isEmpty());
        EXPECT_TRUE(refused.isProtected());
        EXPECT_EQ(names("DupTable.db"), QStringList { c.fromText ? "COOK, CY" : "SMITH, ANN" });
        EXPECT_EQ(SqliteShell(m_alias.path("DupTable.db")).integrity(), "ok");
    }

    const QByteArray refused = m_alias.readFile("DupTable.db");
    preview(line("Lab", "OTHER, OLA", "2"));
    appendMove(table("DestTable.db"), "employee.DB").Execute();
    EXPECT_EQ(m_move.KeyViolCount(), 0);
    EXPECT_EQ(m_alias.readFile("DupTable.db"), refused);

    for (const char* keyViolations : { "employee.DB", "DestTable.db" }) {
        preview(line("Sales", "SMITH, ANN", "997"));
        const QByteArray table = m_alias.readFile("employee.DB");
        BatchMove& move = appendMove(this->table("DestTable.db"), "employee.DB");
        move.setKeyViolTableName(keyViolations);
        const std::string failure = failureOf<EngineError>([&] { move.Execute(); });
        EXPECT_NE(failure.find("cannot be"), std::string::npos) << failure;
        EXPECT_EQ(m_alias.readFile("employee.DB"), table);
    }
}

TEST_F(BatchMoveTest, ASourceWhoseEditedRowCannotBePostedKeepsItsControls)
{
    preview(line("Sales", "DOE, JANE", "301"));
    auto source = table("employee.DB");
    source->Open();
    // The first row, edited to the other's key: the move's first read posts it, and the post fails.
    source->Edit();
    source->FieldByName("Department").setAsString("Sales");
    source->FieldByName("Name").setAsString("SMITH, ANN");
    const db::Table& edited = *source;
    BatchMove& move = appendMove(std::move(source), "DestTable.db");
    EXPECT_THROW(move.Execute(), EngineError);
    EXPECT_FALSE(edited.ControlsDisabled()) << "the grid over the source follows it again";
    EXPECT_TRUE(edited.Active());
}

TEST_F(BatchMoveTest, MissingDestinationIsNamed)
{
    preview(line("Sales", "DOE, JANE", "301"));
    BatchMove& move = appendMove(table("DestTable.db"), "Nowhere.db");
    const std::string failure = failureOf<EngineError>([&] { move.Execute(); });
    EXPECT_NE(failure.find("Nowhere.db not found"), std::string::npos) << failure;
}

} // namespace
