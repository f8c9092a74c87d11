#include "TestAlias.h"

#include "platform/db/DataSource.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class MasterDetailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_alias.createDepartments({ "Accounting", "Research", "Sales" });
        m_alias.createEmployees({ { "Sales", "SMITH, ANN", "1" }, { "Research", "COOK, CY", "2" },
            { "Sales", "BAKER, BO", "3" }, { "Marketing", "ORPHAN, OLA", "4" }, { "Research", "ADAMS, AL", "5" } });
        m_departments->setIndexFieldNames("Department");
        m_source.setDataSet(m_departments.get());
        m_employees->setIndexFieldNames("Department");
        m_employees->setMasterSource(&m_source);
        m_employees->setMasterFields("Department");
    }

    QStringList names() { return values(*m_employees, "Name"); }

    TestAlias m_alias;
    std::unique_ptr<db::Table> m_departments = m_alias.table("department.DB");
    db::DataSource m_source;
    std::unique_ptr<db::Table> m_employees = m_alias.table("employee.DB");
};

TEST_F(MasterDetailTest, DetailShowsTheCurrentDepartmentsEmployeesByName)
{
    m_departments->Open();
    m_employees->Open();
    EXPECT_EQ(m_departments->FieldByName("Department").AsString(), "Accounting");
    EXPECT_TRUE(m_employees->IsEmpty());
    m_departments->Next();
    EXPECT_EQ(names(), (QStringList { "ADAMS, AL", "COOK, CY" }));
    EXPECT_EQ(m_employees->RecordCount(), 2);
    m_departments->Last();
    EXPECT_EQ(names(), (QStringList { "BAKER, BO", "SMITH, ANN" }));
    m_departments->Locate("Department", "research");
    EXPECT_EQ(names(), (QStringList { "BAKER, BO", "SMITH, ANN" })); // the locate found nothing
    m_departments->Locate("Department", "research", db::LocateOption::CaseInsensitive);
    EXPECT_EQ(names(), (QStringList { "ADAMS, AL", "COOK, CY" }));

    // An employee whose department names no department is in no department's list, yet in the whole table.
    for (m_departments->First(); !m_departments->Eof(); m_departments->Next())
        EXPECT_FALSE(m_employees->Locate("Name", "ORPHAN, OLA"));
    auto all = m_alias.open("employee.DB", "ByName");
    EXPECT_TRUE(all->Locate("Name", "ORPHAN, OLA"));
    EXPECT_EQ(all->RecordCount(), 5);
}

TEST_F(MasterDetailTest, InsertedRowTakesTheMastersDepartment)
{
    m_departments->Open();
    m_employees->Open();
    m_departments->Locate("Department", "Research");
    m_employees->Insert();
    EXPECT_EQ(m_employees->FieldByName("Department").AsString(), "Research");
    EXPECT_FALSE(m_employees->Modified());
    m_employees->FieldByName("Name").setAsString("BROWN, BEA");
    m_employees->Post();
    EXPECT_EQ(m_employees->FieldByName("Name").AsString(), "BROWN, BEA");
    EXPECT_EQ(names(), (QStringList { "ADAMS, AL", "BROWN, BEA", "COOK, CY" }));
}

TEST_F(MasterDetailTest, DetailFollowsRefreshAndCloseOfTheMaster)
{
    m_departments->Open();
    m_employees->Open();
    m_departments->Locate("Department", "Sales");
    m_employees->Last();
    QSignalSpy changed(m_employees.get(), &db::DataSet::dataChanged);

    // Another program renames the department; the master's refresh carries the detail along.
    auto editor = m_alias.table("department.DB");
    editor->setIndexFieldNames("Department");
    editor->Open();
    editor->Locate("Department", "Sales");
    editor->Edit();
    editor->FieldByName("Department").setAsString("Sales and Service");
    editor->Post();
    m_departments->Refresh();
    EXPECT_EQ(m_departments->FieldByName("Department").AsString(), "Sales and Service");
    EXPECT_TRUE(m_employees->IsEmpty());
    EXPECT_GE(changed.count(), 1);

    m_departments->Close();
    EXPECT_TRUE(m_employees->Active());
    EXPECT_TRUE(m_employees->IsEmpty());
    m_departments->Open();
    m_departments->Locate("Department", "Research");
    EXPECT_EQ(names(), (QStringList { "ADAMS, AL", "COOK, CY" }));
}

TEST_F(MasterDetailTest, AnEmptyMasterGivesAnEmptyDetail)
{
    m_departments->Open();
    while (!m_departments->IsEmpty())
        m_departments->Delete();
    m_employees->Open();
    EXPECT_TRUE(m_employees->IsEmpty());
    m_employees->Insert();
    EXPECT_EQ(m_employees->FieldByName("Department").AsString(), "");
    m_employees->Cancel();
}

TEST_F(MasterDetailTest, PendingDetailRowIsPostedUnderItsOwnMasterRow)
{
    m_departments->Open();
    m_employees->Open();
    m_departments->Locate("Department", "Research");
    m_employees->Insert();
    m_employees->FieldByName("Name").setAsString("NEW, NED");
    m_departments->Next(); // to Sales
    EXPECT_EQ(m_employees->State(), db::DataSetState::Browse);
    EXPECT_EQ(names(), (QStringList { "BAKER, BO", "SMITH, ANN" }));
    m_departments->Prior();
    EXPECT_EQ(names(), (QStringList { "ADAMS, AL", "COOK, CY", "NEW, NED" }));

    // A pending row that cannot be posted stops the master's move with the error.
    m_employees->FieldByName("Name").setRequired(true);
    m_employees->Insert();
    m_employees->FieldByName("Extension").setAsString("9");
    EXPECT_THROW(m_departments->Next(), db::EngineError);
    EXPECT_EQ(m_employees->State(), db::DataSetState::Insert);
    m_employees->Cancel();
}

TEST_F(MasterDetailTest, InsertedRowTakesTheLinkValueInTheLinkFieldWhereverItStands)
{
    db::TableDef phones;
    phones.fields = { { "Number", db::FieldType::Alpha, 15 }, { "Label", db::FieldType::Alpha, 15 },
        { "Department", db::FieldType::Alpha, 35 } };
    phones.primaryKey = { "Number" };
    phones.indexes = { { "ByDepartment", { "Department" }, false, false } };
    m_alias.createTable(QStringLiteral("phones.DB"), phones, { { "100", "desk", "Research" } });
    auto detail = m_alias.table("phones.DB");
    detail->setIndexFieldNames("Department");
    detail->setMasterSource(&m_source);
    detail->setMasterFields("Department");
    m_departments->Open();
    detail->Open();

    m_departments->Locate("Department", "Sales");
    detail->Insert();
    EXPECT_EQ(detail->FieldByName("Department").AsString(), "Sales");
    EXPECT_TRUE(detail->FieldByName("Number").IsNull());
    EXPECT_TRUE(detail->FieldByName("Label").IsNull());
    detail->FieldByName("Number").setAsString("200");
    detail->Post();
    EXPECT_EQ(detail->RecordCount(), 1);
    EXPECT_EQ(detail->FieldByName("Number").AsString(), "200");
}

} // namespace
