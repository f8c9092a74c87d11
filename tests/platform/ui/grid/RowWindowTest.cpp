#include "platform/db/Table.h"
#include "platform/ui/RowPlaces.h"
#include "platform/ui/RowWindow.h"

#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A table of `rows` codes N00000, N00001, ... in a department each of A, B, C by turn, read in code order.
class RowWindowTest : public ::testing::Test
{
protected:
    static constexpr int rows = 3000;

    void SetUp() override
    {
        db::TableDef definition
            = uitest::keyedOnFirst({ { "Code", db::FieldType::Alpha, 8 }, { "Dept", db::FieldType::Alpha, 4 } });
        definition.indexes = { { "ByDept", { "Dept" }, false, false } };
        folder.createTable("codes", definition, rows, [](int index) {
            return QVariantList { code(index), QString(QChar(u'A' + index % 3)) };
        });
        uitest::openTable(table, "codes");
    }

    static QString code(int index) { return QStringLiteral("N%1").arg(index, 5, 10, QLatin1Char('0')); }

    QString currentCode() const { return table.FieldByName("Code").AsString(); }
    QString shownCode(const ui::RowWindow& window, int row) const { return window.row(row).values.at(0).toString(); }

    uitest::AliasFolder folder;
    db::Table table;
};

TEST_F(RowWindowTest, TheWindowHoldsTheCurrentRowAtItsPlaceUnlessAnEndIsNear)
{
    ui::RowWindow window;
    struct Case
    {
        int at;
        int place;
        int expectedCurrent;
        QString expectedTop;
        bool atStart;
        bool atEnd;
    };
    const Case cases[] = {
        { 0, 3, 0, code(0), true, false }, // nothing before the first row
        { 100, 3, 3, code(97), false, false },
        { 100, 9, 4, code(96), false, false }, // a place past the bottom is the bottom
        { rows - 2, 0, 3, code(rows - 5), false, true }, // the last rows fill the window from below
        { rows - 3, 2, 2, code(rows - 5), false, true }, // the last row exactly on the bottom line
        { rows - 4, 2, 2, code(rows - 6), false, false }, // one row more below it
        { 2, 2, 2, code(0), true, false }, // the first row exactly on the top line
        { 3, 2, 2, code(1), false, false }, // one row more above it
    };
    for (const Case& test : cases) {
        table.Locate("Code", code(test.at));
        window.reload(&table, test.place, 5);
        SCOPED_TRACE(test.at);
        EXPECT_EQ(window.size(), 5);
        EXPECT_EQ(window.current(), test.expectedCurrent);
        EXPECT_EQ(shownCode(window, 0), test.expectedTop);
        EXPECT_EQ(shownCode(window, window.current()), code(test.at));
        EXPECT_EQ(window.atStart(), test.atStart);
        EXPECT_EQ(window.atEnd(), test.atEnd);
    }

    // After a step the row keeps its place, or the window scrolls by one at its edge; a jump keeps the fallback.
    table.Locate("Code", code(100));
    window.reload(&table, 4, 5);
    table.Prior();
    EXPECT_EQ(window.placeAfterMove(table, 5, 4), 3);
    table.Locate("Code", code(101));
    EXPECT_EQ(window.placeAfterMove(table, 5, 2), 4);
    table.Locate("Code", code(95));
    EXPECT_EQ(window.placeAfterMove(table, 5, 2), 0);
    table.Locate("Code", code(2000));
    EXPECT_EQ(window.placeAfterMove(table, 5, 2), 2);

    // A row being inserted stands before the row it was begun on; a closed table shows nothing.
    table.Locate("Code", code(50));
    table.Insert();
    window.reload(&table, 2, 5);
    EXPECT_EQ(window.current(), 2);
    EXPECT_FALSE(window.row(2).bookmark.isValid());
    EXPECT_EQ(shownCode(window, 3), code(50));
    EXPECT_EQ(shownCode(window, 1), code(49));
    table.Cancel();
    // A row inserted where the window's first or last row falls exactly on the edge, or one row short of it.
    struct Inserting
    {
        int before;
        bool atStart;
        bool atEnd;
    };
    for (const Inserting test : std::initializer_list<Inserting> {
             { 2, true, false }, { 3, false, false }, { rows - 2, false, true }, { rows - 3, false, false } }) {
        SCOPED_TRACE(test.before);
        table.Locate("Code", code(test.before));
        table.Insert();
        window.reload(&table, 2, 5);
        EXPECT_EQ(window.size(), 5);
        EXPECT_EQ(shownCode(window, 3), code(test.before));
        EXPECT_EQ(window.atStart(), test.atStart);
        EXPECT_EQ(window.atEnd(), test.atEnd);
        table.Cancel();
    }
    table.Close();
    window.reload(&table, 2, 5);
    EXPECT_EQ(window.size(), 0);
    EXPECT_EQ(window.current(), -1);
}

TEST_F(RowWindowTest, PlacesAreCountedFromASampleAndFindTheirRows)
{
    ui::RowPlaces places;
    EXPECT_EQ(places.count(table), rows);
    // Before the sample is taken, places are counted from the first row: exact, only slower.
    table.Locate("Code", code(2999));
    EXPECT_EQ(places.placeOf(table, table.GetBookmark()), 2999);
    EXPECT_EQ(places.rowAt(table, 2500)->values.at(0).toString(), code(2500));
    EXPECT_FALSE(places.complete());
    int rounds = 0;
    while (!places.sampleMore(table, 2))
        ++rounds;
    EXPECT_EQ(rounds, 2) << "a sample every 512 rows: six bookmarks, two at a time after the first";
    for (int index = 0; index < rows; index += 97) {
        table.Locate("Code", code(index));
        ASSERT_EQ(places.placeOf(table, table.GetBookmark()), index) << index;
        const std::optional<db::RecordRow> row = places.rowAt(table, index);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->values.at(0).toString(), code(index));
    }
    table.Last();
    EXPECT_EQ(places.placeOf(table, table.GetBookmark()), rows - 1);
    EXPECT_EQ(places.rowAt(table, rows + 50)->values.at(0).toString(), code(rows - 1)); // past the end: the last

    // Rows deleted before a row move it up once the sample is taken again.
    table.First();
    for (int deleted = 0; deleted < 10; ++deleted)
        table.Delete();
    places.forget();
    while (!places.sampleMore(table, 8)) { }
    table.Locate("Code", code(1500));
    EXPECT_EQ(places.placeOf(table, table.GetBookmark()), 1490);
    EXPECT_EQ(places.count(table), rows - 10);

    // In another order (a secondary index, the department then the row), the first B follows every A.
    db::Table byDept;
    uitest::openTable(byDept, "codes", "ByDept");
    ui::RowPlaces deptPlaces;
    ASSERT_TRUE(byDept.Locate("Dept", "B"));
    EXPECT_EQ(deptPlaces.placeOf(byDept, byDept.GetBookmark()), rows / 3 - 4); // four of the ten deleted were A
    byDept.Last();
    EXPECT_EQ(deptPlaces.placeOf(byDept, byDept.GetBookmark()), rows - 11);
}

} // namespace
