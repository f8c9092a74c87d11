#include "DepartmentsFixture.h"
#include "FullDisk.h"
#include "TestFiles.h"

#include "directory/TfrmDataMod.h"
#include "platform/db/EngineError.h"
#include "platform/db/Field.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

// The editor's table and its rename cascade, driven as the grid and navigator drive them, on real table files.
class RenameCascadeTest : public DepartmentsFixture
{
protected:
    void SetUp() override
    {
        start();
        table().Open();
    }

    db::Table& table() { return *data().TblEditDepartment; }
    db::Field& name() { return *data().TblEditDepartmentDepartment; }

    void moveTo(const QString& department)
    {
        ASSERT_TRUE(table().Locate(QStringLiteral("Department"), department)) << department.toStdString();
    }
    void edit(const QString& department, const char* field, const QString& value)
    {
        moveTo(department);
        table().Edit();
        table().FieldByName(QLatin1String(field)).setAsString(value);
    }
    void rename(const QString& from, const QString& to)
    {
        edit(from, "Department", to);
        table().Post();
    }

    // Connections opened from here on reach the files through it; it refuses nothing until told to.
    FullDisk m_disk;
    const QStringList m_employeesAtStart { "Accounting/BAKER, DON", "DESIGN/CARTER, EVE", "FACILITIES/DAVIS, FAY",
        "SALES/ALLEN, CAL", "Sales/ABBOTT, ANN", "Sales/ADAMS, BOB" };
    const QStringList m_departmentsAtStart { "Accounting", "DESIGN", "SAFETY", "Sales" };
};

TEST_F(RenameCascadeTest, RenamingCarriesTheNewNameIntoExactlyTheEmployeesOfTheOldOne)
{
    ASSERT_EQ(employees(), m_employeesAtStart);
    rename(QStringLiteral("Sales"), QStringLiteral("SALES & MARKETING"));
    EXPECT_EQ(data().OldDepartment, QStringLiteral("Sales"));
    EXPECT_EQ(data().QryEditMaster->SQL(),
        (QStringList { "UPDATE \"Employee.DB\" SET Department = :ReplaceVal ", "WHERE Department = :FindVal" }));
    EXPECT_EQ(data().QryEditMaster->Params(0).Name() + u'=' + data().QryEditMaster->Params(0).AsString(),
        QStringLiteral("ReplaceVal=SALES & MARKETING"));
    EXPECT_EQ(data().QryEditMaster->Params(1).Name() + u'=' + data().QryEditMaster->Params(1).AsString(),
        QStringLiteral("FindVal=Sales"));
    EXPECT_EQ(employees(),
        (QStringList { "Accounting/BAKER, DON", "DESIGN/CARTER, EVE", "FACILITIES/DAVIS, FAY",
            "SALES & MARKETING/ABBOTT, ANN", "SALES & MARKETING/ADAMS, BOB", "SALES/ALLEN, CAL" }))
        << "an employee naming the department in another letter case is not its employee";
    EXPECT_EQ(departments(), (QStringList { "Accounting", "DESIGN", "SAFETY", "SALES & MARKETING" }));
}

TEST_F(RenameCascadeTest, PostsWithoutARenameOrOfANewRowAndCancelsAndDeletesChangeNoEmployee)
{
    // A fax number alone: the statement runs with equal names and changes nothing.
    edit(QStringLiteral("Sales"), "FaxNumber", QStringLiteral("555-0199"));
    table().Post();
    EXPECT_EQ(data().QryEditMaster->Params(0).AsString(), QStringLiteral("Sales"));
    EXPECT_EQ(data().QryEditMaster->Params(1).AsString(), QStringLiteral("Sales"));

    // An edit of DESIGN posted unchanged, then a new department: its post runs no cascade.
    moveTo(QStringLiteral("DESIGN"));
    table().Edit();
    table().Post();
    data().QryEditMaster->setSQL({});
    table().Insert();
    name().setAsString(QStringLiteral("DESIGN STUDIO"));
    table().Post();
    EXPECT_TRUE(data().QryEditMaster->SQL().isEmpty()) << "a posted insert runs no statement";

    // A rename cancelled changes nothing, and the next edit captures its own row's name.
    edit(QStringLiteral("Accounting"), "Department", QStringLiteral("FINANCE"));
    table().Cancel();
    moveTo(QStringLiteral("SAFETY"));
    table().Edit();
    EXPECT_EQ(data().OldDepartment, QStringLiteral("SAFETY"));
    table().Cancel();

    // Deleting a department leaves its employees naming it.
    moveTo(QStringLiteral("Accounting"));
    table().Delete();

    EXPECT_EQ(employees(), m_employeesAtStart);
    EXPECT_EQ(departments(), (QStringList { "DESIGN", "DESIGN STUDIO", "SAFETY", "Sales" }));
}

TEST_F(RenameCascadeTest, ANameTakenByAnotherDepartmentIsRefusedByTheKeyAndChangesNothing)
{
    edit(QStringLiteral("SAFETY"), "Department", QStringLiteral("Sales"));
    const std::string refusal = failureOf<db::KeyViolation>([this] { table().Post(); });
    EXPECT_NE(refusal.find("Key violation in table department.DB"), std::string::npos) << refusal;
    EXPECT_EQ(table().State(), db::DataSetState::Edit);
    EXPECT_EQ(name().AsString(), QStringLiteral("Sales"));
    table().Cancel();
    EXPECT_EQ(departments(), m_departmentsAtStart);
    EXPECT_EQ(employees(), m_employeesAtStart);
}

TEST_F(RenameCascadeTest, NamesWithAccentsQuotesAndSqlTextCascadeExactlyAsBoundValues)
{
    const QStringList names { QStringLiteral("FORSCHUNG & ENTWICKLUNG"), QStringLiteral("RÉCEPTION"),
        QStringLiteral("O'HARA \"QA\"; DROP TABLE records; --"), QStringLiteral("Sales' OR '1'='1") };
    QString current = QStringLiteral("Sales");
    for (const QString& next : names) {
        rename(current, next);
        EXPECT_EQ(employees().filter(next + u'/').size(), 2) << next.toStdString();
        EXPECT_TRUE(departments().contains(next)) << next.toStdString();
        current = next;
    }
    EXPECT_EQ(employees().size(), m_employeesAtStart.size());
    EXPECT_TRUE(employees().contains(QStringLiteral("SALES/ALLEN, CAL")));
    EXPECT_TRUE(employees().contains(QStringLiteral("DESIGN/CARTER, EVE")));
}

TEST_F(RenameCascadeTest, AnUpdateThatCannotRunRollsTheRenameBackAndKeepsTheRowInEdit)
{
    SqliteShell other(tablePath(DirectoryDatabase::EmployeeTable));
    ASSERT_TRUE(other.execute("BEGIN IMMEDIATE"));

    edit(QStringLiteral("Sales"), "Department", QStringLiteral("REVENUE"));
    table().FieldByName(QStringLiteral("Address1")).setAsString(QStringLiteral("2ND FLOOR"));
    const std::string failure = failureOf<db::EngineError>([this] { table().Post(); });
    EXPECT_NE(failure.find("busy"), std::string::npos) << failure;
    EXPECT_NE(failure.find("employee.DB"), std::string::npos) << failure;
    EXPECT_EQ(table().State(), db::DataSetState::Edit);
    EXPECT_EQ(name().AsString(), QStringLiteral("REVENUE"));
    EXPECT_EQ(table().FieldByName(QStringLiteral("Address1")).AsString(), QStringLiteral("2ND FLOOR"));
    EXPECT_EQ(departments(), m_departmentsAtStart);

    // Once the other program lets go, the same edit posts, and the employees follow.
    ASSERT_TRUE(other.execute("ROLLBACK"));
    EXPECT_EQ(employees(), m_employeesAtStart);
    table().Post();
    EXPECT_EQ(departments(), (QStringList { "Accounting", "DESIGN", "REVENUE", "SAFETY" }));
    EXPECT_EQ(employees().filter(QStringLiteral("REVENUE/")).size(), 2);
    EXPECT_EQ(stored(DirectoryDatabase::DepartmentTable, "Address1").filter(QStringLiteral("2ND FLOOR")).size(), 1);
}

TEST_F(RenameCascadeTest, ACascadeThatFailsOnEitherFileNamesThatFileAndChangesNeither)
{
    const QString employeePath = tablePath(DirectoryDatabase::EmployeeTable);
    const QString departmentPath = tablePath(DirectoryDatabase::DepartmentTable);
    std::unique_ptr<SqliteShell> reader;
    const auto readWhileCommitting = [&reader](const QString& path) {
        reader = std::make_unique<SqliteShell>(path, true);
        ASSERT_TRUE(reader->execute("BEGIN; SELECT count(*) FROM records"));
    };
    const struct
    {
        const char* failure;
        std::function<void()> arrange;
        std::string says;
    } cases[] {
        { "another program reads employee.DB", [&] { readWhileCommitting(employeePath); },
            "Table employee.DB is busy" },
        { "employee.DB's disk is full when its old rows are saved", [&] { m_disk.fill(employeePath + "-journal"); },
            "Cannot write table employee.DB: the disk is full" },
        { "employee.DB's disk is full at the commit", [&] { m_disk.fill(employeePath); },
            "Cannot write table employee.DB: the disk is full" },
        { "another program reads department.DB", [&] { readWhileCommitting(departmentPath); },
            "Table department.DB is busy" },
        { "department.DB's disk is full at the commit", [&] { m_disk.fill(departmentPath); },
            "Cannot write table department.DB: the disk is full" },
        // Last: the employee it adds stays.
        { "the new name gives two employees one key",
            [this] {
                m_environment.addRows(DirectoryDatabase::EmployeeTable,
                    QList<TEmployeeRec> { { "REVENUE", "ADAMS, BOB", "300", {}, {}, {}, {}, {} } });
            },
            "Key violation in table employee.DB" },
    };
    for (const auto& [failure, arrange, says] : cases) {
        SCOPED_TRACE(failure);
        arrange();
        const QByteArray employeesBefore = readFile(employeePath);
        const QByteArray departmentsBefore = readFile(departmentPath);

        edit(QStringLiteral("Sales"), "Department", QStringLiteral("REVENUE"));
        const std::string message = failureOf<db::EngineError>([this] { table().Post(); });
        EXPECT_EQ(message.substr(0, says.size()), says);
        EXPECT_EQ(table().State(), db::DataSetState::Edit);
        EXPECT_EQ(name().AsString(), QStringLiteral("REVENUE"));

        reader.reset();
        m_disk.clear();
        EXPECT_EQ(readFile(employeePath), employeesBefore);
        EXPECT_EQ(readFile(departmentPath), departmentsBefore);
        EXPECT_EQ(departments(), m_departmentsAtStart);
        EXPECT_EQ(employees().filter(QStringLiteral("Sales/")).size(), 2);
        table().Cancel();
    }

    // Nothing of the failures stays behind: the rename goes through once the obstacle is gone.
    rename(QStringLiteral("Sales"), QStringLiteral("SALES & MARKETING"));
    EXPECT_EQ(employees().filter(QStringLiteral("SALES & MARKETING/")).size(), 2);
    EXPECT_EQ(SqliteShell(employeePath, true).integrity(), QStringLiteral("ok"));
    EXPECT_EQ(SqliteShell(departmentPath, true).integrity(), QStringLiteral("ok"));
}

TEST_F(RenameCascadeTest, AnotherProgramReadsAndWritesBothTablesWhileARowIsBeingEdited)
{
    edit(QStringLiteral("Sales"), "Department", QStringLiteral("REVENUE"));

    // A second program: its own session and its own connections, as the list printer has.
    db::Session other;
    other.AddPassword(DirectoryDatabase::TablePassword);
    db::Query list;
    list.setSession(other);
    list.setDatabaseName(DirectoryDatabase::Alias);
    list.setSQL({ QStringLiteral("SELECT Name, Department FROM employee ORDER BY Name") });
    list.Open();
    EXPECT_EQ(list.RecordCount(), m_employeesAtStart.size());
    db::Table departmentsTable;
    departmentsTable.setSession(other);
    departmentsTable.setDatabaseName(DirectoryDatabase::Alias);
    departmentsTable.setTableName(DirectoryDatabase::DepartmentTable);
    departmentsTable.Open();
    EXPECT_EQ(departmentsTable.RecordCount(), m_departmentsAtStart.size());
    departmentsTable.Edit();
    departmentsTable.FieldByName(QStringLiteral("Address2")).setAsString(QStringLiteral("ANNEX"));
    departmentsTable.Post();
    list.Close();
    departmentsTable.Close();

    table().Post();
    EXPECT_EQ(employees().filter(QStringLiteral("REVENUE/")).size(), 2);
}

} // namespace
