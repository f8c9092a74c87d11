#include "TestAlias.h"

#include "platform/db/EngineError.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using db::DataSetState;

// A table whose AfterPost writes another table through a query: with the other table linked, the post and the
// handler's write are one transaction.
class LinkedWriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_alias.createDepartments({ "Research", "Sales" });
        m_alias.createEmployees({ { "Sales", "ADAMS, AL", "101" }, { "Research", "COOK, CY", "103" } });
        m_departments->setLinkedTables({ QStringLiteral("EMPLOYEE") });
        m_departments->AfterPost = [this](db::DataSet& dataSet) {
            m_update->Params(0).setAsString(QStringLiteral("999"));
            m_update->Params(1).setAsString(dataSet.FieldByName(QStringLiteral("Department")).AsString());
            m_update->ExecSQL();
            if (m_failAfterWrite)
                throw std::runtime_error("the handler failed");
        };
        m_departments->Open();
    }

    QStringList extensions()
    {
        auto query = m_alias.query({ QStringLiteral("SELECT Extension FROM employee ORDER BY Name") });
        query->Open();
        return values(*query, QStringLiteral("Extension"));
    }

    TestAlias m_alias;
    std::unique_ptr<db::Table> m_departments = m_alias.table(QStringLiteral("department.DB"));
    std::unique_ptr<db::Query> m_update
        = m_alias.query({ QStringLiteral("UPDATE employee SET Extension = :Ext WHERE Department = :Dept") });
    bool m_failAfterWrite = false;
};

TEST_F(LinkedWriteTest, TheHandlersWriteCommitsWithThePostedRow)
{
    ASSERT_TRUE(m_departments->Locate(QStringLiteral("Department"), QStringLiteral("Sales")));
    m_departments->Edit();
    m_departments->FieldByName(QStringLiteral("Address1")).setAsString(QStringLiteral("NORTH WING"));
    const QSignalSpy stateChanges(m_departments.get(), &db::DataSet::stateChanged);
    m_departments->Post();
    EXPECT_EQ(m_departments->State(), DataSetState::Browse);
    EXPECT_EQ(stateChanges.count(), 1);
    EXPECT_EQ(m_update->RowsAffected(), 1);
    EXPECT_EQ(extensions(), (QStringList { "999", "103" }));
}

TEST_F(LinkedWriteTest, AFailingHandlerRollsBackBothWritesAndKeepsTheRowInEdit)
{
    m_failAfterWrite = true;
    ASSERT_TRUE(m_departments->Locate(QStringLiteral("Department"), QStringLiteral("Research")));
    m_departments->Edit();
    m_departments->FieldByName(QStringLiteral("Address1")).setAsString(QStringLiteral("LAB"));
    const QSignalSpy stateChanges(m_departments.get(), &db::DataSet::stateChanged);
    EXPECT_THROW(m_departments->Post(), std::runtime_error);
    EXPECT_EQ(m_departments->State(), DataSetState::Edit);
    EXPECT_TRUE(m_departments->Modified());
    EXPECT_EQ(m_departments->FieldByName(QStringLiteral("Address1")).AsString(), QStringLiteral("LAB"));
    EXPECT_EQ(stateChanges.count(), 0) << "observers never saw the post";
    EXPECT_EQ(extensions(), (QStringList { "101", "103" }));

    m_failAfterWrite = false;
    m_departments->Post();
    m_departments->Refresh();
    EXPECT_EQ(m_departments->FieldByName(QStringLiteral("Address1")).AsString(), QStringLiteral("LAB"));
    EXPECT_EQ(extensions(), (QStringList { "101", "999" }));
}

TEST_F(LinkedWriteTest, AQueryOverAnUnlinkedTableRunsOnItsOwnAndALinkedTableMustExist)
{
    m_departments->setLinkedTables({});
    m_failAfterWrite = true;
    ASSERT_TRUE(m_departments->Locate(QStringLiteral("Department"), QStringLiteral("Sales")));
    m_departments->Edit();
    m_departments->FieldByName(QStringLiteral("Address1")).setAsString(QStringLiteral("EAST"));
    EXPECT_THROW(m_departments->Post(), std::runtime_error);
    EXPECT_EQ(m_departments->State(), DataSetState::Browse) << "without links the post stands on its own";
    EXPECT_EQ(extensions(), (QStringList { "999", "103" }));

    m_departments->setLinkedTables({ QStringLiteral("missing.DB") });
    m_departments->Edit();
    m_departments->FieldByName(QStringLiteral("Address1")).setAsString(QStringLiteral("WEST"));
    EXPECT_THROW(m_departments->Post(), db::EngineError);
    EXPECT_EQ(m_departments->State(), DataSetState::Edit);
}

} // namespace
