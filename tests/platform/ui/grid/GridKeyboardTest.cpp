#include "platform/ui/DBGrid.h"

#include "FocusedTyping.h"
#include "GridWindowFixture.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using Option = ui::DBGrid::Option;

namespace {

// The grid window, the focus on the grid.
class GridKeyboardTest : public uitest::GridWindowFixture
{
protected:
    void SetUp() override
    {
        GridWindowFixture::SetUp();
        grid->setFocus();
        ASSERT_TRUE(grid->hasFocus());
    }

    QString field(const char* name) const { return people.FieldByName(name).AsString(); }

    QRect editorCell() const
    {
        return grid->cellRect(grid->currentRow(), grid->currentColumn()).adjusted(1, 1, -1, -1);
    }
};

TEST_F(GridKeyboardTest, TextTypedWithShiftDeadKeysAndComposedLettersArrivesWhole)
{
    uitest::press(Qt::Key_Right);
    uitest::press(Qt::Key_Right); // the Dept column
    uitest::typeIntoFocus("Zz Test, One");
    ASSERT_TRUE(grid->isEditing());
    EXPECT_EQ(uitest::focused(), grid->editor());
    EXPECT_EQ(field("Dept"), "Zz Test, One");

    // Keys that type nothing leave the cell open: a dead key, AltGr alone, Caps Lock.
    uitest::press(Qt::Key_Dead_Acute);
    uitest::press(Qt::Key_AltGr);
    uitest::press(Qt::Key_CapsLock);
    uitest::press(Qt::Key_E, QStringLiteral("\u00c9"), Qt::NoModifier); // with Caps Lock on
    uitest::press(Qt::Key_At, QStringLiteral("@"), Qt::ControlModifier | Qt::AltModifier); // AltGr on some systems
    EXPECT_EQ(field("Dept"), QStringLiteral("Zz Test, One\u00c9@"));

    // A character composed by an input method joins the text.
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00f1"));
    QApplication::sendEvent(uitest::focused(), &composed);
    EXPECT_EQ(field("Dept"), QStringLiteral("Zz Test, One\u00c9@\u00f1"));

    // Enter closes the cell; F2 opens it with its text selected, so that what is typed replaces it, capitals too.
    uitest::press(Qt::Key_Return);
    EXPECT_FALSE(grid->isEditing());
    uitest::press(Qt::Key_F2);
    uitest::typeIntoFocus("XY");
    EXPECT_EQ(field("Dept"), "XY");
    // Esc gives the cell back what it held when it opened; moving down posts the row.
    uitest::press(Qt::Key_Escape);
    EXPECT_EQ(field("Dept"), QStringLiteral("Zz Test, One\u00c9@\u00f1"));
    uitest::press(Qt::Key_Down);
    EXPECT_EQ(storedValue("ADAMS", "Dept"), QStringLiteral("Zz Test, One\u00c9@\u00f1"));
}

TEST_F(GridKeyboardTest, TheEditorSitsOverItsCellAndFollowsIt)
{
    grid->setOptions(grid->options() | Option::Indicator);
    uitest::press(Qt::Key_Down);
    uitest::press(Qt::Key_Right);
    uitest::typeIntoFocus("5");
    ASSERT_TRUE(grid->isEditing());
    EXPECT_EQ(grid->editor()->geometry(), editorCell());
    EXPECT_GT(grid->editor()->geometry().left(), grid->indicatorWidth());
    EXPECT_GT(grid->editor()->geometry().top(), 0); // below the titles, on the second row

    // A narrower grid scrolls sideways; the editor moves with its cell.
    window.resize(260, 400);
    ASSERT_TRUE(uitest::waitFor([&] { return grid->horizontalScrollBar()->maximum() > 0; }));
    EXPECT_EQ(grid->editor()->geometry(), editorCell());
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    EXPECT_EQ(grid->editor()->geometry(), editorCell());
    EXPECT_TRUE(grid->isEditing());
    uitest::typeIntoFocus("55");
    EXPECT_EQ(field("Phone"), "555");
}

TEST_F(GridKeyboardTest, TabLeavesGridsThatSelectRowsAndEditingGridsAfterTheLastCell)
{
    // Whole-row selection: nothing to move between, so Tab and Shift+Tab leave at once.
    grid->setOptions(Option::Titles | Option::Tabs | Option::RowSelect | Option::AlwaysShowSelection);
    uitest::press(Qt::Key_Tab);
    EXPECT_EQ(uitest::focused(), after);
    EXPECT_EQ(currentName(), "ADAMS");
    grid->setFocus();
    uitest::press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(uitest::focused(), before);

    // Cell editing: Tab goes from cell to cell, also from an open cell, and out after the row's last one.
    grid->setOptions(Option::Titles | Option::Tabs | Option::Editing);
    grid->setFocus();
    uitest::press(Qt::Key_Home);
    uitest::typeIntoFocus("Abbey");
    uitest::press(Qt::Key_Tab);
    EXPECT_EQ(grid->currentColumn(), 1);
    for (int column = 2; column < grid->columnCount(); ++column)
        uitest::press(Qt::Key_Tab);
    EXPECT_EQ(grid->currentColumn(), grid->columnCount() - 1);
    EXPECT_EQ(uitest::focused(), grid);
    uitest::press(Qt::Key_Tab);
    EXPECT_EQ(uitest::focused(), after);
    EXPECT_EQ(field("Name"), "Abbey");
    people.Cancel();
    grid->setFocus();
    uitest::press(Qt::Key_Home);
    uitest::press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(uitest::focused(), before);

    // A grid that only shows its rows keeps Tab inside: it goes on to the next row.
    grid->setOptions(Option::Titles | Option::Tabs | Option::AlwaysShowSelection);
    grid->setReadOnly(true);
    grid->setColumns({ { "Name", "List Name", 100 } });
    grid->setFocus();
    people.First();
    uitest::press(Qt::Key_Tab);
    uitest::press(Qt::Key_Tab);
    EXPECT_EQ(uitest::focused(), grid);
    EXPECT_EQ(currentName(), "CLARK"); // one column: each Tab is a row

    // Without the option Tab always leaves.
    grid->setOptions(Option::Titles | Option::Editing);
    grid->setReadOnly(false);
    grid->setFocus();
    uitest::press(Qt::Key_Tab);
    EXPECT_EQ(uitest::focused(), after);
}

TEST_F(GridKeyboardTest, ColumnsFillTheGridAndANewSetOfRowsShowsFromTheFirstColumn)
{
    grid->setColumns({ { "Name", "", 80 }, { "Phone", "", 90 } });
    const int right = grid->cellRect(0, 1).right() + 1;
    EXPECT_EQ(right, grid->viewport()->width()) << "the last column reaches the right edge";
    EXPECT_EQ(grid->columnWidth(0), 80);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);

    // A stretching last column takes only what the others leave, where its field would not fit, down to its least
    // width; below that the grid scrolls.
    const int inside = grid->viewport()->width() - grid->indicatorWidth();
    const auto stretching = [](int leastWidth) {
        return ui::DBGridColumn { "Dept", "", leastWidth, Qt::AlignLeft | Qt::AlignVCenter, true };
    };
    grid->setColumns({ { "Name", "", inside - 60 }, stretching(0) });
    EXPECT_EQ(grid->columnWidth(1), 60);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    grid->setColumns({ { "Name", "", inside - 60 }, stretching(70) });
    EXPECT_EQ(grid->columnWidth(1), 70);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 10);
    grid->setColumns({ { "Name", "", inside - 60 }, { "Dept", "", 0 } });
    EXPECT_GT(grid->columnWidth(1), 60) << "a column that does not stretch keeps its field's width";

    // Wider than the grid: the given widths stand and the grid scrolls sideways.
    grid->setColumns({ { "Name", "", 300 }, { "Phone", "", 300 }, { "Dept", "", 300 } });
    EXPECT_EQ(grid->columnWidth(2), 300);
    EXPECT_GT(grid->horizontalScrollBar()->maximum(), 0);
    uitest::press(Qt::Key_End);
    EXPECT_EQ(grid->currentColumn(), 2);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    people.Refresh(); // the same rows read again keep their column
    EXPECT_EQ(grid->currentColumn(), 2);
    people.Close();
    people.Open(); // another set of rows starts at the first column
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_EQ(grid->horizontalScrollBar()->value(), 0);
}

TEST(GridThumb, TheThumbFollowsTheRowsPlaceAndADragReachesBothEnds)
{
    uitest::AliasFolder folder;
    constexpr int rows = 20000;
    const auto code = [](int index) { return QStringLiteral("N%1").arg(index, 5, 10, QLatin1Char('0')); };
    folder.createTable("big", uitest::keyedOnFirst({ { "Code", db::FieldType::Alpha, 8 } }), rows,
        [&](int index) { return QVariantList { code(index) }; });
    db::Table big;
    uitest::openTable(big, "big");
    db::DataSource source;
    source.setDataSet(&big);
    QWidget window;
    auto* const layout = new QVBoxLayout(&window);
    auto* const grid = new ui::DBGrid(&window);
    layout->addWidget(grid);
    grid->setOptions(Option::Titles | Option::RowSelect);
    grid->setDataSource(&source);
    window.resize(300, 300);
    ASSERT_TRUE(uitest::showActive(window));
    QScrollBar* const thumb = grid->verticalScrollBar();
    const auto currentCode = [&] { return big.FieldByName("Code").AsString(); };

    EXPECT_EQ(thumb->minimum(), 0);
    EXPECT_EQ(thumb->maximum(), rows - 1);
    EXPECT_EQ(thumb->value(), 0);
    big.Last();
    EXPECT_EQ(thumb->value(), thumb->maximum());
    big.Locate("Code", code(12345));
    EXPECT_TRUE(uitest::waitFor([&] { return thumb->value() == 12345; })) << "the thumb follows in an idle moment";

    // A drag moves the current row along with the thumb, and the ends reach the first and the last row.
    thumb->setSliderDown(true);
    for (const int place : { 100, 7000, 19998, rows - 1, 5000, 0 }) {
        thumb->setSliderPosition(place);
        EXPECT_EQ(currentCode(), code(place)) << place;
        EXPECT_EQ(grid->cellText(grid->currentRow(), 0), code(place));
        EXPECT_EQ(thumb->value(), place);
    }
    thumb->setSliderPosition(thumb->maximum());
    thumb->setSliderDown(false);
    EXPECT_EQ(currentCode(), code(rows - 1));
    EXPECT_EQ(grid->currentRow(), grid->rowCount() - 1) << "the last row stands at the bottom";
}

} // namespace
