#include "TestAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/LocalSql.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <gtest/gtest.h>

namespace {

using db::EngineError;

class QueryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_alias.createEmployees(
            { { "Sales", "SMITH, ANN", "201" }, { "Sales", "smith, al", "202" }, { "Research", "SMITH, ANN", "201" },
                { "Research", "STONE, SY", "203" }, { "Sales", "ADAMS, AL", "204" }, { "Stores", "SMITH, ANN", "" } });
        m_alias.createDepartments({ "Research", "Sales", "Stores" });
        m_alias.createTable(DirectoryDatabase::AuxiliarTable, DirectoryDatabase::auxiliarDefinition(),
            { { "open" }, { "Open" }, { "50%_off" } });
    }

    std::unique_ptr<db::Query> query(const QStringList& lines) { return m_alias.query(lines); }

    static QStringList column(db::Query& query, int field)
    {
        QStringList values;
        for (query.First(); !query.Eof(); query.Next())
            values << query.fieldAt(field).AsString();
        return values;
    }

    TestAlias m_alias;
};

TEST_F(QueryTest, LetterListQueryIsDistinctOrderedAndCaseSensitive)
{
    auto letters = query({ "SELECT DISTINCT Name, Extension", "FROM \"employee.DB\" ",
        "WHERE Name LIKE  :LastFirstName", "ORDER BY Name, Extension" });
    ASSERT_EQ(letters->ParamCount(), 1);
    letters->Params(0).setAsString("S%");
    letters->Open();
    // The two SMITH, ANN rows with extension 201 are one; "smith, al" does not begin with a capital S.
    EXPECT_EQ(letters->RecordCount(), 3);
    EXPECT_EQ(column(*letters, 0), (QStringList { "SMITH, ANN", "SMITH, ANN", "STONE, SY" }));
    EXPECT_EQ(column(*letters, 1), (QStringList { "", "201", "203" }));
    ASSERT_EQ(letters->FieldCount(), 2);
    EXPECT_EQ(letters->fieldAt(1).FieldName(), "Extension");
    EXPECT_EQ(letters->fieldAt(1).Size(), 35);
    EXPECT_FALSE(letters->CanModify());
    EXPECT_THROW(letters->Edit(), EngineError);

    letters->Close();
    letters->ParamByName("lastfirstname").setAsString("s%");
    letters->Open();
    EXPECT_EQ(column(*letters, 0), QStringList { "smith, al" });
    letters->Close();
    letters->Params(0).setAsString("Q%");
    letters->Open();
    EXPECT_TRUE(letters->IsEmpty());
    EXPECT_EQ(letters->RecordCount(), 0);
}

TEST_F(QueryTest, LetterListUsesTheBinaryNameIndex)
{
    auto letters = query({ "SELECT DISTINCT Name, Extension", "FROM \"employee.DB\" ",
        "WHERE Name LIKE  :LastFirstName", "ORDER BY Name, Extension" });
    letters->Params(0).setAsString("S%");
    const QString plan = letters->explainPlan().join(u'\n');
    // The index on Name and Extension with regard to case answers the whole query, in its order.
    EXPECT_TRUE(plan.contains("USING COVERING INDEX ByNameExtension (Name>? AND Name<?)")) << plan.toStdString();
    auto equal = query({ "SELECT * FROM employee WHERE Name = :Name" });
    equal->Params(0).setAsString("SMITH, ANN");
    EXPECT_TRUE(equal->explainPlan().join(u'\n').contains("USING INDEX ByNameExact (Name=?)"));
}

TEST_F(QueryTest, TableNamesQuotedOrBareInAnyCase)
{
    for (const char* from : { "\"department.DB\"", "department", "Department.db", "DEPARTMENT", "\"Department\"" }) {
        auto departments
            = query({ "SELECT Department", QStringLiteral("FROM %1 ").arg(from), "WHERE Department LIKE :DepartName" });
        departments->Params(0).setAsString("S%");
        departments->Prepare();
        EXPECT_TRUE(departments->Prepared());
        departments->Open();
        EXPECT_EQ(column(*departments, 0), (QStringList { "Sales", "Stores" })) << from;
    }
    auto star = query({ "SELECT * FROM employee e WHERE e.Department = 'Sales' ORDER BY e.Name" });
    star->Open();
    EXPECT_EQ(star->FieldCount(), 8);
    EXPECT_EQ(column(*star, 1), (QStringList { "ADAMS, AL", "SMITH, ANN", "smith, al" }));
    auto qualified = query({ "SELECT employee.Name FROM employee, \"department.DB\" d",
        "WHERE employee.Department = d.Department AND d.Department = 'Research' ORDER BY 1" });
    qualified->Open();
    EXPECT_EQ(column(*qualified, 0), (QStringList { "SMITH, ANN", "STONE, SY" }));
}

TEST_F(QueryTest, UpdateBindsValuesWithQuotesAndPercentSigns)
{
    auto update = query({ "UPDATE AUXILIAR", "SET PasswordValue = :ReplaceValue", "WHERE PasswordValue = :FindValue" });
    ASSERT_EQ(update->ParamCount(), 2);
    EXPECT_EQ(update->Params(0).Name(), "ReplaceValue");
    update->Params(0).setAsString("it's 100%");
    update->Params(1).setAsString("open");
    update->ExecSQL();
    EXPECT_EQ(update->RowsAffected(), 1); // '=' compares exactly: "Open" stays

    update->ParamByName("ReplaceValue").setAsString("x");
    update->ParamByName("FindValue").setAsString("50%_off");
    update->ExecSQL();
    EXPECT_EQ(update->RowsAffected(), 1);
    update->ParamByName("FindValue").setAsString("%");
    update->ExecSQL();
    EXPECT_EQ(update->RowsAffected(), 0);

    auto all = query({ "SELECT PasswordValue FROM \"AUXILIAR.DB\"" });
    all->Open();
    EXPECT_EQ(column(*all, 0), (QStringList { "it's 100%", "Open", "x" }));

    // A value too long for the field fails the whole statement and changes nothing.
    update->ParamByName("ReplaceValue").setAsString(QString(16, u'y'));
    update->ParamByName("FindValue").setAsString("Open");
    EXPECT_THROW(update->ExecSQL(), EngineError);
    all->Close();
    all->Open();
    EXPECT_EQ(column(*all, 0), (QStringList { "it's 100%", "Open", "x" }));
}

TEST_F(QueryTest, ParametersAreFoundOutsideStringsAndKeepTheirValues)
{
    auto text = query({ "SELECT Name FROM employee -- :NotAParameter", "WHERE Name <> ':Literal' AND Extension = :Ext",
        "AND (Department = :Dept OR Department = :ext) /* :Hidden */ ORDER BY Name" });
    ASSERT_EQ(text->ParamCount(), 2);
    EXPECT_EQ(text->Params(0).Name(), "Ext");
    EXPECT_EQ(text->Params(1).Name(), "Dept");
    EXPECT_THROW(text->Params(2), EngineError);
    EXPECT_THROW(text->ParamByName("Literal"), EngineError);
    text->ParamByName("EXT").setAsString("Sales");
    text->ParamByName("Dept").setAsString("Research");
    text->setSQL({ "SELECT Name FROM employee WHERE Department = :Dept" });
    EXPECT_EQ(text->ParamByName("Dept").AsString(), "Research");
    text->Open();
    EXPECT_EQ(text->RecordCount(), 2);
}

TEST_F(QueryTest, ErrorsNameTheStatementOrTheTable)
{
    auto bad = query({ "SELEC Name FROM employee" });
    const std::string message = failureOf<EngineError>([&] { bad->Open(); });
    EXPECT_NE(message.find("SELEC Name FROM employee"), std::string::npos) << message;
    EXPECT_FALSE(bad->Active());
    EXPECT_THROW(bad->Prepare(), EngineError);
    EXPECT_FALSE(bad->Prepared());

    auto missing = query({ "SELECT * FROM Nowhere" });
    EXPECT_NE(failureOf<EngineError>([&] { missing->Open(); }).find("Nowhere.DB not found"), std::string::npos);

    auto column = query({ "SELECT Nickname FROM employee" });
    EXPECT_NE(failureOf<EngineError>([&] { column->Open(); }).find("Nickname"), std::string::npos);

    auto noRows = query({ "UPDATE employee SET Title = 'X'" });
    EXPECT_THROW(noRows->Open(), EngineError);

    auto locked = query({ "SELECT * FROM employee" });
    db::Session stranger;
    locked->setSession(stranger);
    EXPECT_EQ(failureOf<EngineError>([&] { locked->Open(); }),
        "Table employee.DB is protected: the session has no valid password");
}

TEST_F(QueryTest, LargeResultsStreamAndScrollBothWays)
{
    std::vector<QVariantList> rows;
    for (int i = 0; i < 2500; ++i)
        rows.push_back({ QStringLiteral("N%1").arg(i, 5, 10, QChar(u'0')) });
    m_alias.createTable(DirectoryDatabase::SpecialTable, DirectoryDatabase::specialDefinition(), rows);
    auto all = query({ "SELECT Number FROM Special ORDER BY Number DESC" });
    all->Open();
    EXPECT_EQ(all->RecordCount(), 2500);
    EXPECT_EQ(all->fieldAt(0).AsString(), "N02499");
    all->Last();
    EXPECT_EQ(all->fieldAt(0).AsString(), "N00000");
    EXPECT_EQ(all->RecNo(), 2500);
    EXPECT_EQ(all->MoveBy(-2400), -2400);
    EXPECT_EQ(all->fieldAt(0).AsString(), "N02400");
    all->First();
    int count = 0;
    for (; !all->Eof(); all->Next())
        ++count;
    EXPECT_EQ(count, 2500);
    all->setRecNo(1234);
    EXPECT_EQ(all->fieldAt(0).AsString(), "N01266");
    EXPECT_TRUE(all->Locate("Number", "n00007", db::LocateOption::CaseInsensitive));
    EXPECT_EQ(all->RecNo(), 2493);
}

TEST(LocalSqlTest, FindsTablesAndParametersOnlyWhereTheyAre)
{
    const db::LocalSql sql("SELECT 'FROM x', \"a:b\" FROM \"employee.DB\" e JOIN dept.db ON e.D = dept.D, Report\n"
                           "WHERE x = :One -- FROM y :Two\n AND y IN (SELECT z FROM AUXILIAR) AND w = :one");
    EXPECT_EQ(sql.tableNames(), (QStringList { "employee.DB", "dept.db", "Report", "AUXILIAR" }));
    EXPECT_EQ(sql.parameters(), QStringList { "One" });
    EXPECT_EQ(sql.translate({ "t1", "t2", "t3", "t4" }),
        "SELECT 'FROM x', \"a:b\" FROM t1.records e JOIN t2.records AS \"dept\" ON e.D = dept.D, t3.records AS "
        "\"Report\"\nWHERE x = ?1 -- FROM y :Two\n AND y IN (SELECT z FROM t4.records AS \"AUXILIAR\") AND w = ?1");
    const db::LocalSql update("UPDATE AUXILIAR SET PasswordValue = :New WHERE PasswordValue = :Old");
    EXPECT_EQ(update.translate({ "t1" }), "UPDATE t1.records SET PasswordValue = ?1 WHERE PasswordValue = ?2");
    const db::LocalSql remove("DELETE FROM \"Special.db\" WHERE Number = 'it''s'");
    EXPECT_EQ(remove.translate({ "t1" }), "DELETE FROM t1.records WHERE Number = 'it''s'");
}

} // namespace
