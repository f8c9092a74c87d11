#include "platform/ui/GridScrollThumb.h"

#include "platform/db/Table.h"
#include "platform/ui/RowWindow.h"

#include "UiTestSupport.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

namespace {

QString code(int index)
{
    return QStringLiteral("N%1").arg(index, 5, 10, QLatin1Char('0'));
}

// Over tables of a few, some and many rows shown ten at a time: the thumb stands at the current row's place, and a
// drag to a place reaches the row there, which lands in the window as the thumb stands in its groove.
TEST(GridScrollThumbTest, TheThumbStandsAtTheRowsPlaceAndADragReachesTheRowThere)
{
    constexpr int visible = 10;
    uitest::AliasFolder folder;
    std::map<int, std::unique_ptr<db::Table>> tables;
    for (const int rows : { 6, 40, 3000 }) {
        const QString name = QStringLiteral("rows%1").arg(rows);
        folder.createTable(name, uitest::keyedOnFirst({ { "Code", db::FieldType::Alpha, 8 } }), rows,
            [](int index) { return QVariantList { code(index) }; });
        tables[rows] = std::make_unique<db::Table>();
        uitest::openTable(*tables[rows], name);
    }
    struct Case
    {
        int rows;
        int at;
        int maximum;
        int value;
        bool counted; // the place is counted in an idle moment; the ends stand at once
        std::optional<int> placeInWindow; // none at the ends: the first or last row
    };
    const Case cases[] = {
        { 6, 0, 0, 0, false, std::nullopt }, // every row in the window: nothing to scroll
        { 6, 5, 0, 0, false, std::nullopt },
        { 40, 0, 39, 0, false, std::nullopt },
        { 40, 20, 39, 20, true, 4 },
        { 40, 39, 39, 39, false, std::nullopt },
        { 3000, 1, 2999, 1, true, 0 },
        { 3000, 1500, 2999, 1500, true, 4 },
        { 3000, 2998, 2999, 2998, true, 8 },
        { 3000, 2999, 2999, 2999, false, std::nullopt },
    };
    QScrollBar bar(Qt::Vertical);
    ui::GridScrollThumb thumb(bar);
    ui::RowWindow window;
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.rows << " rows at " << test.at);
        db::Table& table = *tables.at(test.rows);
        ASSERT_TRUE(table.Locate("Code", code(test.at)));
        window.reload(&table, visible / 2, visible);
        thumb.forget();
        thumb.follow(&table, window, visible);
        EXPECT_EQ(bar.maximum(), test.maximum);
        EXPECT_EQ(bar.value() != test.value, test.counted);
        EXPECT_TRUE(uitest::waitFor([&] { return bar.value() == test.value; })) << bar.value();

        if (test.maximum > 0) {
            table.Locate("Code", code(test.rows / 3));
            thumb.moveTo(table, test.at, visible);
            EXPECT_EQ(table.FieldByName("Code").AsString(), code(test.at));
            EXPECT_EQ(thumb.takePlaceAfterJump(), test.placeInWindow);
            EXPECT_EQ(thumb.takePlaceAfterJump(), std::nullopt) << "given once";
        }
    }
}

} // namespace
