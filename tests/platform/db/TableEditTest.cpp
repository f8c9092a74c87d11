#include "TestAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"
#include "platform/db/TableFile.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using db::DataSetState;
using db::EngineError;

class TableEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_alias.createEmployees({ { "Sales", "ADAMS, AL", "101" }, { "Sales", "BAKER, BO", "102" },
            { "Research", "COOK, CY", "103" }, { "Research", "DUNN, DI", "104" } });
    }

    std::unique_ptr<db::Table> open() { return m_alias.open("employee.DB", "ByName"); }

    QString name(const db::Table& table) const { return table.FieldByName(QStringLiteral("Name")).AsString(); }

    TestAlias m_alias;
};

TEST_F(TableEditTest, EditPostAndCancelRunTheirEventsInOrder)
{
    auto table = open();
    std::vector<std::string> events;
    const auto record
        = [&events](const char* name) { return [&events, name](db::DataSet&) { events.push_back(name); }; };
    table->BeforeEdit = record("BeforeEdit");
    table->BeforePost = record("BeforePost");
    table->AfterPost = record("AfterPost");
    table->AfterCancel = record("AfterCancel");
    table->BeforeInsert = record("BeforeInsert");
    table->AfterInsert = record("AfterInsert");
    table->BeforeDelete = record("BeforeDelete");
    table->AfterDelete = record("AfterDelete");
    QSignalSpy states(table.get(), &db::DataSet::stateChanged);

    table->Edit();
    EXPECT_EQ(table->State(), DataSetState::Edit);
    table->FieldByName("Extension").setAsString("999");
    EXPECT_TRUE(table->Modified());
    table->Post();
    EXPECT_EQ(table->State(), DataSetState::Browse);
    table->Edit();
    table->FieldByName("Extension").setAsString("555");
    table->Cancel();
    EXPECT_EQ(table->FieldByName("Extension").AsString(), "999");
    table->Insert();
    table->Cancel();
    EXPECT_EQ(events,
        (std::vector<std::string> { "BeforeEdit", "BeforePost", "AfterPost", "BeforeEdit", "AfterCancel",
            "BeforeInsert", "AfterInsert", "AfterCancel" }));
    EXPECT_EQ(states.count(), 6);

    auto other = open();
    EXPECT_EQ(other->FieldByName("Extension").AsString(), "999");
}

TEST_F(TableEditTest, AnEventThatThrowsStopsTheOperation)
{
    auto table = open();
    table->BeforeEdit = [](db::DataSet&) { throw EngineError("not now"); };
    EXPECT_THROW(table->Edit(), EngineError);
    EXPECT_EQ(table->State(), DataSetState::Browse);
    table->BeforeEdit = nullptr;
    table->BeforePost = [](db::DataSet&) { throw EngineError("not now"); };
    table->Edit();
    table->FieldByName("Extension").setAsString("1");
    EXPECT_THROW(table->Post(), EngineError);
    EXPECT_EQ(table->State(), DataSetState::Edit);
}

TEST_F(TableEditTest, InsertedRowIsPostedAndBecomesCurrentInItsPlace)
{
    auto table = open();
    table->Last();
    table->Insert();
    EXPECT_FALSE(table->IsEmpty());
    EXPECT_EQ(table->FieldByName("Name").AsString(), "");
    table->FieldByName("Department").setAsString("Sales");
    table->FieldByName("Name").setAsString("BROWN, BEA");
    table->Post();
    EXPECT_EQ(name(*table), "BROWN, BEA");
    EXPECT_EQ(table->RecNo(), 3);
    EXPECT_EQ(table->RecordCount(), 5);
    table->Prior();
    EXPECT_EQ(name(*table), "BAKER, BO");
}

TEST_F(TableEditTest, PostedRowWithANewKeyStaysCurrent)
{
    auto table = open();
    table->Edit();
    table->FieldByName("Name").setAsString("ZANE, ZED");
    table->Post();
    EXPECT_EQ(name(*table), "ZANE, ZED");
    EXPECT_EQ(table->RecNo(), 4);
    table->Next();
    EXPECT_TRUE(table->Eof());
}

TEST_F(TableEditTest, RequiredFieldKeepsTheRowInEdit)
{
    auto table = open();
    table->FieldByName("Department").setRequired(true);
    table->FieldByName("Extension").setRequired(true);
    table->FieldByName("Extension").setDisplayLabel("Phone/Ext.");
    table->Insert();
    table->FieldByName("Name").setAsString("EVANS, EVE");
    EXPECT_EQ(failureOf<EngineError>([&] { table->Post(); }), "Field 'Department' must have a value");
    EXPECT_EQ(table->State(), DataSetState::Insert);
    table->FieldByName("Department").setAsString("Sales");
    EXPECT_EQ(failureOf<EngineError>([&] { table->Post(); }), "Field 'Phone/Ext.' must have a value");
    // Moving off a changed row posts it, so it fails the same way and the row stays.
    EXPECT_THROW(table->Next(), EngineError);
    EXPECT_EQ(table->State(), DataSetState::Insert);
    table->FieldByName("Extension").setAsString("105");
    table->Post();
    EXPECT_EQ(table->RecordCount(), 5);
}

TEST_F(TableEditTest, ValuesThatDoNotFitAreRefusedNotCut)
{
    m_alias.createTable(DirectoryDatabase::ReportTable, DirectoryDatabase::reportDefinition(), { { "List", 1 } });
    auto table = m_alias.open("Report");
    EXPECT_THROW(table->FieldByName("Name").setAsString("x"), EngineError); // not editing
    table->Edit();
    const QString tooLong(36, u'N');
    const std::string message = failureOf<EngineError>([&] { table->FieldByName("Name").setAsString(tooLong); });
    EXPECT_NE(message.find("Field 'Name'"), std::string::npos);
    EXPECT_NE(message.find("35"), std::string::npos);
    EXPECT_EQ(table->FieldByName("Name").AsString(), "List");
    EXPECT_THROW(table->FieldByName("ReportNumber").setAsInteger(32768), EngineError);
    EXPECT_THROW(table->FieldByName("ReportNumber").setAsString("7a"), EngineError);
    table->FieldByName("ReportNumber").setAsInteger(-32768);
    table->FieldByName("Name").setAsString(QString(35, u'N'));
    table->Post();
    EXPECT_EQ(table->FieldByName("ReportNumber").AsInteger(), -32768);
    table->Edit();
    table->FieldByName("ReportNumber").setAsString("");
    table->Post();
    EXPECT_TRUE(table->FieldByName("ReportNumber").IsNull());
}

// An edit or an insert that repeats a key is refused whole: the file stays as it was, the row stays in its state
// with its values, and a corrected key posts.
TEST_F(TableEditTest, RepeatedKeyIsRefusedLeavingTheFileAsItWasAndTheRowInEdit)
{
    auto table = open();
    const QByteArray before = m_alias.readFile("employee.DB");
    table->Edit();
    table->FieldByName("Name").setAsString("BAKER, BO");
    EXPECT_THROW(table->Post(), db::KeyViolation);
    table->Cancel();
    table->Insert();
    table->FieldByName("Department").setAsString("Sales");
    table->FieldByName("Name").setAsString("BAKER, BO");
    EXPECT_EQ(failureOf<db::KeyViolation>([&] { table->Post(); }), "Key violation in table employee.DB");
    EXPECT_EQ(table->State(), DataSetState::Insert);
    EXPECT_EQ(name(*table), "BAKER, BO");
    EXPECT_EQ(m_alias.readFile("employee.DB"), before);
    EXPECT_FALSE(QFile::exists(m_alias.path("employee.DB-journal")));

    table->FieldByName("Department").setAsString("Research");
    table->Post();
    EXPECT_EQ(table->RecordCount(), 5);
}

TEST_F(TableEditTest, MovingOffPostsAChangedRowAndCancelsAnUnchangedOne)
{
    auto table = open();
    const QByteArray before = m_alias.readFile("employee.DB");
    table->Edit();
    table->Next();
    EXPECT_EQ(table->State(), DataSetState::Browse);
    table->Insert();
    table->Last();
    EXPECT_EQ(table->RecordCount(), 4);
    EXPECT_EQ(m_alias.readFile("employee.DB"), before);

    table->First();
    table->Edit();
    table->FieldByName("Extension").setAsString("777");
    table->Locate("Name", "DUNN, DI");
    EXPECT_EQ(table->State(), DataSetState::Browse);
    table->Edit();
    table->FieldByName("Extension").setAsString("888");
    table->Close();
    auto other = open();
    EXPECT_EQ(other->FieldByName("Extension").AsString(), "777");
    other->Last();
    EXPECT_EQ(other->FieldByName("Extension").AsString(), "888");
}

TEST_F(TableEditTest, DeleteMovesToTheNextRowOrThePreviousAtTheEnd)
{
    auto table = open();
    table->Next();
    table->Delete();
    EXPECT_EQ(name(*table), "COOK, CY");
    EXPECT_EQ(table->RecordCount(), 3);
    table->Last();
    table->Delete();
    EXPECT_EQ(name(*table), "COOK, CY");
    table->First();
    table->Delete();
    table->Delete();
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_THROW(table->Delete(), EngineError);
    table->Edit(); // an empty table starts an insert
    EXPECT_EQ(table->State(), DataSetState::Insert);
}

TEST_F(TableEditTest, RefreshShowsOtherWritersAndKeepsTheCurrentRow)
{
    auto table = open();
    table->Locate("Name", "COOK, CY");
    auto other = open();
    other->Insert();
    other->FieldByName("Department").setAsString("Sales");
    other->FieldByName("Name").setAsString("ABBOT, AB");
    other->Post();
    other->Locate("Name", "COOK, CY");
    other->Edit();
    other->FieldByName("Extension").setAsString("333");
    other->Post();

    table->Refresh();
    EXPECT_EQ(name(*table), "COOK, CY");
    EXPECT_EQ(table->FieldByName("Extension").AsString(), "333");
    EXPECT_EQ(table->RecordCount(), 5);
    EXPECT_EQ(table->RecNo(), 4);

    // Gone: the next row in the order takes its place; at the end, the last row.
    other->Delete();
    table->Refresh();
    EXPECT_EQ(name(*table), "DUNN, DI");
    other->Locate("Name", "DUNN, DI");
    other->Delete();
    table->Refresh();
    EXPECT_EQ(name(*table), "BAKER, BO");
}

TEST_F(TableEditTest, EditingARowAnotherProgramDeletedIsAClearError)
{
    auto table = open();
    auto other = open();
    other->Delete();
    const std::string message = failureOf<EngineError>([&] { table->Edit(); });
    EXPECT_NE(message.find("no longer exists in employee.DB"), std::string::npos);
    EXPECT_EQ(table->State(), DataSetState::Browse);

    table->Next();
    table->Edit();
    other->Delete(); // deletes the row table is editing
    table->FieldByName("Extension").setAsString("1");
    EXPECT_THROW(table->Post(), EngineError);
    EXPECT_EQ(table->State(), DataSetState::Edit);
    table->Cancel();
}

TEST_F(TableEditTest, EditStartsFromTheStoredValues)
{
    auto table = open();
    auto other = open();
    other->Edit();
    other->FieldByName("Title").setAsString("BOSS");
    other->Post();
    table->Edit();
    EXPECT_EQ(table->FieldByName("Title").AsString(), "BOSS");
    table->FieldByName("Extension").setAsString("42");
    table->Post();
    other->Refresh();
    EXPECT_EQ(other->FieldByName("Title").AsString(), "BOSS");
    EXPECT_EQ(other->FieldByName("Extension").AsString(), "42");
}

TEST_F(TableEditTest, RecordCountFollowsEveryChangeOnceItWasRead)
{
    auto table = open();
    auto other = open();
    ASSERT_EQ(table->RecordCount(), 4);
    ASSERT_EQ(other->RecordCount(), 4);

    const auto insert = [](db::Table& into, const char* name) {
        into.Insert();
        into.FieldByName("Department").setAsString("Sales");
        into.FieldByName("Name").setAsString(name);
        into.Post();
    };
    insert(*table, "EVANS, ED");
    EXPECT_EQ(table->RecordCount(), 5);
    EXPECT_EQ(other->RecordCount(), 5) << "a commit through another connection";

    table->Edit();
    table->FieldByName("Extension").setAsString("77");
    table->Post();
    EXPECT_EQ(table->RecordCount(), 5);

    insert(*other, "FOX, FAY");
    other->Delete();
    other->Delete();
    EXPECT_EQ(other->RecordCount(), 4);
    EXPECT_EQ(table->RecordCount(), 4);
}

} // namespace
