#include "platform/ui/DBGrid.h"
#include "platform/modal/ModalRecorder.h"

#include "GridWindowFixture.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using Option = ui::DBGrid::Option;

namespace {

// Makes the grid exactly `rows` rows high.
bool fitRows(ui::DBGrid& grid, int rows)
{
    for (int height = 30; height < 1000; ++height) {
        grid.setFixedHeight(height);
        if (grid.visibleRowCount() == rows) {
            return true;
        }
    }
    return false;
}

QStringList shownColumn(const ui::DBGrid& grid, int column = 0)
{
    QStringList shown;
    for (int row = 0; row < grid.rowCount(); ++row) {
        shown.append(grid.cellText(row, column));
    }
    return shown;
}

void clickCell(ui::DBGrid& grid, int row, int column)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.cellRect(row, column).center());
}

class DBGridTest : public uitest::GridWindowFixture
{
protected:
    void SetUp() override
    {
        GridWindowFixture::SetUp();
        ASSERT_TRUE(fitRows(*grid, 5));
    }
};

} // namespace

TEST_F(DBGridTest, ColumnsComeFromTheFieldsOrFromTheGivenList)
{
    ASSERT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->columnTitle(0), "Name");
    EXPECT_EQ(grid->columnTitle(4), "Notes");
    const int digit = grid->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    EXPECT_EQ(grid->columnWidth(0), 10 * digit + 4);
    EXPECT_EQ(grid->columnWidth(2), 15 * digit + 4);
    EXPECT_EQ(grid->cellText(0, 3), "20");
    EXPECT_EQ(grid->cellText(1, 4), "Notes on BAKER\nsecond line");

    // Labels, widths and visibility set on the fields count once the data set opens again.
    people.FieldByName("Phone").setDisplayLabel("Phone/Ext.");
    people.FieldByName("Phone").setDisplayWidth(20);
    people.FieldByName("Notes").setVisible(false);
    people.Close();
    people.Open();
    ASSERT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(grid->columnTitle(1), "Phone/Ext.");
    EXPECT_EQ(grid->columnWidth(1), 20 * digit + 4);

    grid->setColumns({ { "Name", "", 150 }, { "Phone", "Phone/Ext." } });
    ASSERT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->columnWidth(0), 150);
    EXPECT_EQ(grid->columnTitle(1), "Phone/Ext.");
    EXPECT_EQ(grid->cellText(0, 1), "555-010");
}

TEST_F(DBGridTest, TheHighlightFollowsTheDataSet)
{
    EXPECT_EQ(shownColumn(*grid), QStringList({ "ADAMS", "BAKER", "CLARK", "DAVIS", "EVANS" }));
    EXPECT_EQ(grid->currentRow(), 0);
    people.Next();
    people.Next();
    EXPECT_EQ(grid->currentRow(), 2);
    people.Last();
    EXPECT_EQ(shownColumn(*grid), QStringList({ "CLARK", "DAVIS", "EVANS", "FOSTER", "GREEN" }));
    EXPECT_EQ(grid->currentRow(), 4);
    people.Prior();
    EXPECT_EQ(grid->currentRow(), 3);
    people.First();
    EXPECT_EQ(shownColumn(*grid), QStringList({ "ADAMS", "BAKER", "CLARK", "DAVIS", "EVANS" }));
    EXPECT_EQ(grid->currentRow(), 0);
    people.Locate("Name", "DAVIS");
    EXPECT_EQ(grid->cellText(grid->currentRow(), 0), "DAVIS");
}

TEST_F(DBGridTest, MovingInTheGridMovesTheDataSet)
{
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(currentName(), "BAKER");
    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(grid, Qt::Key_Down);
    }
    EXPECT_EQ(currentName(), "FOSTER");
    EXPECT_EQ(shownColumn(*grid), QStringList({ "BAKER", "CLARK", "DAVIS", "EVANS", "FOSTER" }));
    EXPECT_EQ(grid->currentRow(), 4);

    QTest::keyClick(grid, Qt::Key_PageUp);
    EXPECT_EQ(currentName(), "ADAMS");
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_EQ(currentName(), "FOSTER");
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(currentName(), "GREEN");
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(currentName(), "ADAMS");

    clickCell(*grid, 3, 1);
    EXPECT_EQ(currentName(), "DAVIS");
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 1);

    // With whole-row selection Home and End go to the first and last rows.
    grid->setOptions(Option::Titles | Option::RowSelect | Option::AlwaysShowSelection);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(currentName(), "GREEN");
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(currentName(), "ADAMS");

    // So do the scroll bar's ends.
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(currentName(), "GREEN");
    EXPECT_EQ(grid->verticalScrollBar()->value(), grid->verticalScrollBar()->maximum());
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(currentName(), "FOSTER");
}

TEST_F(DBGridTest, ClicksAndFocusAreReported)
{
    after->setFocus();
    QSignalSpy cellClicked(grid, &ui::DBGrid::cellClicked);
    QSignalSpy doubleClicked(grid, &ui::DBGrid::doubleClicked);
    QSignalSpy entered(grid, &ui::DBGrid::entered);
    QSignalSpy exited(grid, &ui::DBGrid::exited);

    clickCell(*grid, 2, 1);
    EXPECT_EQ(entered.count(), 1);
    ASSERT_EQ(cellClicked.count(), 1);
    EXPECT_EQ(cellClicked.front().front().toInt(), 1);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(2, 1).center());
    EXPECT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(exited.count(), 0);

    after->setFocus();
    EXPECT_EQ(exited.count(), 1);
    grid->setFocus();
    EXPECT_EQ(entered.count(), 2);
}

TEST_F(DBGridTest, CtrlDeleteAsksAndDeletesOnOK)
{
    modal::ModalRecorder recorder;
    people.Locate("Name", "CLARK");
    grid->setFocus();

    recorder.answer(modal::MessageButton::Cancel);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedValue("CLARK", "Name"), "CLARK");

    recorder.answer(modal::MessageButton::OK);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedValue("CLARK", "Name"), "<missing>");
    EXPECT_EQ(shownColumn(*grid), QStringList({ "ADAMS", "BAKER", "DAVIS", "EVANS", "FOSTER" }));
    EXPECT_EQ(grid->cellText(grid->currentRow(), 0), "DAVIS");
    ASSERT_EQ(recorder.messages().size(), 2);
    EXPECT_EQ(recorder.messages().at(1).text, "Delete record?");
    EXPECT_EQ(recorder.messages().at(1).buttons, modal::MessageButton::OK | modal::MessageButton::Cancel);

    // A read-only grid neither asks nor deletes; without confirmation the row goes at once.
    grid->setReadOnly(true);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(recorder.messages().size(), 2);
    EXPECT_EQ(storedValue("DAVIS", "Name"), "DAVIS");
    grid->setReadOnly(false);
    grid->setOptions(grid->options() & ~ui::DBGrid::Options(Option::ConfirmDelete));
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(recorder.messages().size(), 2);
    EXPECT_EQ(storedValue("DAVIS", "Name"), "<missing>");
}

TEST_F(DBGridTest, CellEditingCanBeSwitchedOnAndFollowsAutoEdit)
{
    grid->setOptions(Option::Titles | Option::RowSelect | Option::AlwaysShowSelection);
    grid->setFocus();
    QTest::keyClicks(grid, "9");
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(people.State(), db::DataSetState::Browse);

    grid->setOptions(Option::Titles | Option::Editing | Option::ColLines | Option::RowLines);
    source.setAutoEdit(false);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClicks(grid, "9");
    EXPECT_EQ(people.State(), db::DataSetState::Browse);
    EXPECT_EQ(people.FieldByName("Phone").AsString(), "555-010");

    source.setAutoEdit(true);
    QTest::keyClicks(grid, "9");
    ASSERT_TRUE(grid->isEditing());
    QTest::keyClicks(grid->editor(), "1");
    EXPECT_EQ(people.State(), db::DataSetState::Edit);
    EXPECT_EQ(people.FieldByName("Phone").AsString(), "91");
    EXPECT_EQ(grid->cellText(0, 1), "91");
    QTest::keyClick(grid->editor(), Qt::Key_Down);
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(currentName(), "BAKER");
    EXPECT_EQ(storedValue("ADAMS", "Phone"), "91");

    // Esc in the cell gives back what it held.
    QTest::keyClicks(grid, "x");
    QTest::keyClick(grid->editor(), Qt::Key_Escape);
    EXPECT_EQ(people.FieldByName("Phone").AsString(), "555-011");
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(people.State(), db::DataSetState::Browse);
}

TEST_F(DBGridTest, ARowInsertedAndTypedIntoTheGridIsPostedWhenTheRowIsLeft)
{
    grid->setFocus();
    people.Insert();
    QTest::keyClicks(grid, "ABBOT");
    ASSERT_TRUE(grid->isEditing());
    QTest::keyClick(grid->editor(), Qt::Key_Tab);
    QTest::keyClicks(grid, "555-222");
    EXPECT_EQ(grid->cellText(grid->currentRow(), 1), "555-222");
    QTest::keyClick(grid->editor(), Qt::Key_Up);
    EXPECT_EQ(people.State(), db::DataSetState::Browse);
    EXPECT_EQ(storedValue("ABBOT", "Phone"), "555-222");
}

TEST_F(DBGridTest, AnInsertedRowStandsBeforeTheCurrentOneAndGoesWhenLeftEmpty)
{
    people.Locate("Name", "CLARK");
    grid->setFocus();
    const int before = grid->currentRow();
    people.Insert();
    EXPECT_EQ(grid->currentRow(), before);
    EXPECT_EQ(grid->cellText(before, 0), "");
    EXPECT_EQ(grid->cellText(before + 1, 0), "CLARK");
    EXPECT_LE(grid->rowCount(), 5);

    after->setFocus(); // cancel on exit
    EXPECT_EQ(people.State(), db::DataSetState::Browse);
    EXPECT_EQ(grid->cellText(grid->currentRow(), 0), "CLARK");
}

TEST_F(DBGridTest, AnOpenCellFollowsChangesFromElsewhereAndHandsBackKeysItCannotUse)
{
    grid->setOptions(Option::Titles | Option::Editing);
    grid->setFocus();
    QTest::keyClicks(grid, "9");
    ASSERT_TRUE(grid->isEditing());

    // An insert begun elsewhere (the navigator) empties the open cell instead of leaving the old text to type onto.
    people.Cancel();
    people.Insert();
    ASSERT_TRUE(grid->isEditing());
    EXPECT_EQ(grid->editor()->text(), "");
    QTest::keyClicks(grid->editor(), "ABBOT");
    EXPECT_EQ(people.FieldByName("Name").AsString(), "ABBOT");
    QTest::keyClick(grid->editor(), Qt::Key_Escape);
    people.Cancel();

    // Ctrl+End and Ctrl+Home mean nothing to the cell: the grid moves to the last and first rows.
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClicks(grid, "7");
    ASSERT_TRUE(grid->isEditing());
    QTest::keyClick(grid->editor(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(people.Eof() || currentName() == shownColumn(*grid).constLast());
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(currentName(), "ADAMS");
}

TEST(DBGridLarge, ALargeTableIsBrowsedThroughAWindowOfRows)
{
    uitest::AliasFolder folder;
    constexpr int rows = 200000;
    const db::TableDef definition
        = uitest::keyedOnFirst({ { "Code", db::FieldType::Alpha, 8 }, { "Label", db::FieldType::Alpha, 20 } });
    folder.createTable("big", definition, rows, [](int index) {
        return QVariantList { QStringLiteral("N%1").arg(index, 6, 10, QLatin1Char('0')),
            QStringLiteral("row %1").arg(index) };
    });
    db::Table big;
    uitest::openTable(big, "big");
    db::DataSource source;
    source.setDataSet(&big);

    ui::DBGrid grid;
    grid.setOptions(Option::Titles | Option::RowSelect);
    grid.setDataSource(&source);
    grid.resize(400, 300);
    grid.show();
    ASSERT_TRUE(fitRows(grid, 10));
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->minimum());

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(big.FieldByName("Code").AsString(), "N199999");
    EXPECT_EQ(grid.currentRow(), 9);
    EXPECT_EQ(grid.cellText(0, 0), "N199990");
    EXPECT_EQ(grid.cellText(9, 1), "row 199999");
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->maximum());

    QTest::keyClick(&grid, Qt::Key_PageUp);
    EXPECT_EQ(big.FieldByName("Code").AsString(), "N199989");
    EXPECT_EQ(grid.cellText(grid.currentRow(), 0), "N199989");
    EXPECT_EQ(grid.rowCount(), 10);
    QTest::keyClick(&grid, Qt::Key_PageUp);
    EXPECT_EQ(grid.cellText(grid.currentRow(), 0), "N199979");
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.cellText(grid.currentRow(), 0), "N199978");
    // The thumb stands at the row's place among all rows, counted in an idle moment.
    EXPECT_TRUE(uitest::waitFor([&] { return grid.verticalScrollBar()->value() == 199978; }));

    big.Locate("Code", "N100000");
    EXPECT_EQ(grid.cellText(grid.currentRow(), 0), "N100000");
    EXPECT_EQ(grid.rowCount(), 10);

    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.cellText(0, 0), "N000000");
    EXPECT_EQ(grid.currentRow(), 0);
}
