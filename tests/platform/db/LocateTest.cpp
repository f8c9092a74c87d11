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

    std::unique_ptr<db::Table> open(const QString& indexName) { return m_alias.open("employee.DB", indexName); }

    static QString extension(const db::Table& table) { return table.FieldByName("Extension").AsString(); }
    // The extension of the row a Locate by name finds, or "(none)".
    static QString locate(db::Table& table, const QString& name, db::LocateOptions options = {})
    {
        return table.Locate("Name", name, options) ? extension(table) : QStringLiteral("(none)");
    }

    TestAlias m_alias;
};

const auto caseless = LocateOption::CaseInsensitive;
const auto partial = LocateOption::CaseInsensitive | LocateOption::PartialKey;

TEST_F(LocateTest, ThreeOptionSetsFindTheFirstMatchInTheOrder)
{
    for (const char* index : { "ByName", "ByNameExact", "PRIMARY" }) {
        SCOPED_TRACE(index);
        auto table = open(index);
        const QString first = extension(*table);
        // Whole value, exact case: of the two SMITH, ANN rows, the first in this order.
        EXPECT_EQ(locate(*table, "SMITH, ANN"), QString(index) == "PRIMARY" ? "8" : "1");
        EXPECT_EQ(locate(*table, "Smith, Ann"), "(none)");
        EXPECT_EQ(table->FieldByName("Name").AsString(), "SMITH, ANN"); // the row stays
        EXPECT_EQ(locate(*table, "SMITH"), "(none)");

        EXPECT_EQ(locate(*table, "SMITH, BOB", caseless), "2");
        EXPECT_EQ(locate(*table, "SMITH, B", caseless), "(none)");

        EXPECT_EQ(locate(*table, "smithe", partial), "3");
        EXPECT_EQ(locate(*table, "SMY", partial), "4");
        EXPECT_EQ(locate(*table, "SMZ", partial), "(none)");
        EXPECT_EQ(locate(*table, "SMITH, ANNA", partial), "(none)");
        // An empty key matches the first row, from wherever the cursor is.
        EXPECT_EQ(locate(*table, "", partial), first);
        table->Last();
        EXPECT_EQ(locate(*table, "", partial), first);
    }
}

TEST_F(LocateTest, CaseInsensitivePartialKeyFollowsTheByNameOrderAndTakesLikeMetacharactersAsTheyAre)
{
    auto table = open("ByName");
    // In name order ignoring case, "SMITH, ANN" (1) comes before "smith, bob" (2) and "SMITH, ANN" (8).
    const struct
    {
        const char* typed;
        db::LocateOptions options;
        const char* found;
    } cases[] = {
        { "S", partial, "1" },
        { "SM", partial, "1" },
        { "SMI", partial, "1" },
        { "SMITH", partial, "1" },
        { "smith, ", partial, "1" },
        { "smith, b", partial, "2" },
        // Only ASCII letters fold; other letters match as they are.
        { "ÉC", partial, "7" },
        { "éc", partial, "(none)" },
        // % and _ are ordinary characters.
        { "adams, %", partial, "6" },
        { "ADAMS, %_", partial, "5" },
        { "ADAMS, _", partial, "(none)" },
        { "A%", partial, "(none)" },
        { "ADAMS, %", {}, "6" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(locate(*table, QString::fromUtf8(c.typed), c.options), c.found) << c.typed;
}

TEST_F(LocateTest, OtherFieldsAndUnknownFields)
{
    auto table = open("ByName");
    ASSERT_TRUE(table->Locate("extension", "7"));
    EXPECT_EQ(table->FieldByName("Name").AsString(), "ÉCOLE, E");
    ASSERT_TRUE(table->Locate("Department", "research", caseless));
    EXPECT_EQ(extension(*table), "6"); // first Research row in name order: "ADAMS, %"
    EXPECT_THROW(table->Locate("Nickname", "x"), db::EngineError);
}

TEST_F(LocateTest, InADetailOnlyTheMastersRowsCount)
{
    m_alias.createDepartments({ "Research", "Sales" });
    auto departments = m_alias.table("department.DB");
    departments->setIndexFieldNames("Department");
    db::DataSource source;
    source.setDataSet(departments.get());
    departments->Open();

    auto employees = m_alias.table("employee.DB");
    employees->setIndexFieldNames("Department");
    employees->setMasterSource(&source);
    employees->setMasterFields("Department");
    employees->Open();

    EXPECT_EQ(locate(*employees, "smith", partial), "8"); // Research: "SMITH, ANN" (8) before "smith, bob"
    EXPECT_EQ(locate(*employees, "SMITHERS", partial), "(none)"); // a Sales employee
    EXPECT_EQ(locate(*employees, "smith, bob", caseless), "2");
    departments->Next();
    EXPECT_EQ(locate(*employees, "SMITHERS", partial), "3");
    EXPECT_EQ(locate(*employees, "smith, bob", caseless), "(none)");
}

} // namespace
