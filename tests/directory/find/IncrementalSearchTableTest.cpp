#include "DirectoryTestEnvironment.h"

#include "common/DirectoryDatabase.h"
#include "common/TDepartmentRec.h"
#include "directory/IncrementalSearch.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/ui/VirtualKey.h"

#include <gtest/gtest.h>

namespace {

using Outcome = IncrementalSearch::Outcome;
namespace key = ui::keyCode;

TEST(IncrementalSearchTableTest, KeysOfTheSetTakeTheBoxTextEscEmptiesBothOthersKeepTheSearch)
{
    const struct
    {
        int key;
        const char* box;
        const char* before;
        const char* after;
        bool emptiesBox;
    } cases[] = {
        { key::letterA + 'M' - 'A', "SM", "S", "SM", false },
        { key::backspace, "S", "SM", "S", false },
        { key::deleteKey, "", "S", "", false },
        { key::escape, "SM", "SM", "", true },
        { key::space, "SMITH, ", "SMITH,", "SMITH,", false },
        { key::semicolon, "SMITH;", "SMITH", "SMITH", false },
        { key::left, "SM", "S", "S", false },
    };
    for (const auto& c : cases) {
        QString searchText = QLatin1String(c.before);
        EXPECT_EQ(IncrementalSearch::releaseKey(c.key, QLatin1String(c.box), searchText), c.emptiesBox) << c.key;
        EXPECT_EQ(searchText, QLatin1String(c.after)) << c.key;
    }
}

TEST(IncrementalSearchTableTest, FindsTheFirstRecordBeginningWithTheTextInAnyCaseOrStays)
{
    DirectoryTestEnvironment environment(DirectoryTestEnvironment::Content::Empty);
    const auto department = [](const char* name) { return TDepartmentRec { name, {}, {}, {}, {} }; };
    environment.addRows(DirectoryDatabase::DepartmentTable,
        QList { department("Accounting"), department("DESIGN"), department("Distribution"), department("Sales"),
            department("Security") });
    db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
    db::Table table;
    table.setDatabaseName(DirectoryDatabase::Alias);
    table.setTableName(DirectoryDatabase::DepartmentTable);
    table.setIndexFieldNames(QStringLiteral("Department"));
    table.Open();

    // Each search starts on the third record, Distribution.
    const struct
    {
        const char* field;
        const char* text;
        Outcome outcome;
        qint64 recNo;
    } cases[] = {
        { "Department", "A", Outcome::Found, 1 },
        { "Department", "acc", Outcome::Found, 1 },
        { "Department", "D", Outcome::Found, 2 },
        { "Department", "design", Outcome::Found, 2 },
        { "Department", "SA", Outcome::Found, 4 },
        { "Department", "sEc", Outcome::Found, 5 },
        { "Department", "SALESMAN", Outcome::NoMatch, 3 },
        { "Department", "DX", Outcome::NoMatch, 3 },
        { "Department", "ZZ", Outcome::NoMatch, 3 },
        { "Department", "", Outcome::Skipped, 3 },
        { "Nowhere", "A", Outcome::Failed, 3 },
    };
    for (const auto& c : cases) {
        table.setRecNo(3);
        EXPECT_EQ(IncrementalSearch(table, QLatin1String(c.field)).lookUp(QLatin1String(c.text)), c.outcome) << c.text;
        EXPECT_EQ(table.RecNo(), c.recNo) << c.text;
    }
}

} // namespace
