#include "TestAlias.h"

#include "platform/db/DataSource.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"
#include "platform/db/TableCursor.h"
#include "platform/db/TableFile.h"

#include <gtest/gtest.h>

namespace {

using db::LocateOption;

class LocateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_alias.createEmployees({ { "Sales", "SMITH, ANN", "1" }, { "Research", "smith, bob", "2" },
            { "Sales", "SMITHERS, CY", "3" }, { "Research", "SMYTHE, DI", "4" }, { "Sales", "ADAMS, %_X", "5" },
            { "Research", "ADAMS, %", "6" }, { "Sales", "ÉCOLE, E", "7" }, { "Research", "SMITH, ANN", "8" } });
    }

    std::unique_ptr<db::Table> open(const QString& indexName, const QString& indexFields = {})
    {
        auto table = std::make_unique<db::Table>();
        table->setSession(m_alias.session());
        table->setDatabaseName(TestAlias::Name);
        table->setTableName(QStringLiteral("employee.DB"));
        if (!indexName.isEmpty())
            table->setIndexName(indexName);
        if (!indexFields.isEmpty())
            table->setIndexFieldNames(indexFields);
        table->Open();
        return table;
    }

    static QString extension(const db::Table& table)
    {
        return table.FieldByName(QStringLiteral("Extension")).AsString();
    }

    TestAlias m_alias;
};

TEST_F(LocateTest, ThreeOptionSetsFindTheFirstMatchInTheOrder)
{
    for (const char* index : { "ByName", "ByNameExact", "PRIMARY" }) {
        SCOPED_TRACE(index);
        auto table = open(index);
        // Whole value, exact case: of the two SMITH, ANN rows, the first in this order.
        ASSERT_TRUE(table->Locate("Name", "SMITH, ANN"));
        EXPECT_EQ(extension(*table), QString(index) == "PRIMARY" ? "8" : "1");
        EXPECT_FALSE(table->Locate("Name", "Smith, Ann"));
        EXPECT_EQ(table->FieldByName("Name").AsString(), "SMITH, ANN"); // the row stays
        EXPECT_FALSE(table->Locate("Name", "SMITH"));

        ASSERT_TRUE(table->Locate("Name", "SMITH, BOB", LocateOption::CaseInsensitive));
        EXPECT_EQ(extension(*table), "2");
        EXPECT_FALSE(table->Locate("Name", "SMITH, B", LocateOption::CaseInsensitive));

        const auto partial = LocateOption::CaseInsensitive | LocateOption::PartialKey;
        ASSERT_TRUE(table->Locate("Name", "smithe", partial));
        EXPECT_EQ(extension(*table), "3");
        ASSERT_TRUE(table->Locate("Name", "SMY", partial));
        EXPECT_EQ(extension(*table), "4");
        EXPECT_FALSE(table->Locate("Name", "SMZ", partial));
        EXPECT_FALSE(table->Locate("Name", "SMITH, ANNA", partial));
        ASSERT_TRUE(table->Locate("Name", "", partial)); // an empty key matches the first row
        table->First();
        const QString first = table->FieldByName("Name").AsString();
        table->Last();
        ASSERT_TRUE(table->Locate("Name", "", partial));
        EXPECT_EQ(table->FieldByName("Name").AsString(), first);
    }
}

TEST_F(LocateTest, CaseInsensitivePartialKeyFollowsTheByNameOrder)
{
    auto table = open("ByName");
    const auto partial = LocateOption::CaseInsensitive | LocateOption::PartialKey;
    // In name order ignoring case, "SMITH, ANN" (1) comes before "smith, bob" (2) and "SMITH, ANN" (8).
    for (const char* typed : { "S", "SM", "SMI", "SMITH", "smith, " }) {
        ASSERT_TRUE(table->Locate("Name", typed, partial)) << typed;
        EXPECT_EQ(extension(*table), "1") << typed;
    }
    ASSERT_TRUE(table->Locate("Name", "smith, b", partial));
    EXPECT_EQ(extension(*table), "2");
    // Only ASCII letters fold; other letters match as they are.
    EXPECT_TRUE(table->Locate("Name", "ÉC", partial));
    EXPECT_FALSE(table->Locate("Name", "éc", partial));
}

TEST_F(LocateTest, LikeMetacharactersInTheValueAreOrdinaryCharacters)
{
    auto table = open("ByName");
    const auto partial = LocateOption::CaseInsensitive | LocateOption::PartialKey;
    ASSERT_TRUE(table->Locate("Name", "adams, %", partial));
    EXPECT_EQ(extension(*table), "6");
    ASSERT_TRUE(table->Locate("Name", "ADAMS, %_", partial));
    EXPECT_EQ(extension(*table), "5");
    EXPECT_FALSE(table->Locate("Name", "ADAMS, _", partial));
    EXPECT_FALSE(table->Locate("Name", "A%", partial));
    EXPECT_TRUE(table->Locate("Name", "ADAMS, %", {}));
    EXPECT_EQ(extension(*table), "6");
}

TEST_F(LocateTest, OtherFieldsAndUnknownFields)
{
    auto table = open("ByName");
    ASSERT_TRUE(table->Locate("extension", "7"));
    EXPECT_EQ(table->FieldByName("Name").AsString(), "ÉCOLE, E");
    ASSERT_TRUE(table->Locate("Department", "research", LocateOption::CaseInsensitive));
    EXPECT_EQ(extension(*table), "6"); // first Research row in name order: "ADAMS, %"
    EXPECT_THROW(table->Locate("Nickname", "x"), db::EngineError);
}

TEST_F(LocateTest, InADetailOnlyTheMastersRowsCount)
{
    m_alias.createDepartments({ "Research", "Sales" });
    db::Table departments;
    departments.setSession(m_alias.session());
    departments.setDatabaseName(TestAlias::Name);
    departments.setTableName("department.DB");
    departments.setIndexFieldNames("Department");
    db::DataSource source;
    source.setDataSet(&departments);
    departments.Open();

    auto employees = std::make_unique<db::Table>();
    employees->setSession(m_alias.session());
    employees->setDatabaseName(TestAlias::Name);
    employees->setTableName("employee.DB");
    employees->setIndexFieldNames("Department");
    employees->setMasterSource(&source);
    employees->setMasterFields("Department");
    employees->Open();

    const auto partial = LocateOption::CaseInsensitive | LocateOption::PartialKey;
    ASSERT_TRUE(employees->Locate("Name", "smith", partial)); // Research: "SMITH, ANN" (8) before "smith, bob"
    EXPECT_EQ(extension(*employees), "8");
    EXPECT_FALSE(employees->Locate("Name", "SMITHERS", partial)); // a Sales employee
    ASSERT_TRUE(employees->Locate("Name", "smith, bob", LocateOption::CaseInsensitive));
    EXPECT_EQ(extension(*employees), "2");
    departments.Next();
    ASSERT_TRUE(employees->Locate("Name", "SMITHERS", partial));
    EXPECT_EQ(extension(*employees), "3");
    EXPECT_FALSE(employees->Locate("Name", "smith, bob", LocateOption::CaseInsensitive));
}

} // namespace
