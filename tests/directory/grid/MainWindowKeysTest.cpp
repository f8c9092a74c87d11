#include "MainWindowFixture.h"

#include "FocusedTyping.h"
#include "common/DirectoryDatabase.h"
#include "common/TSpecialRec.h"
#include "directory/TFrmSpecial.h"
#include "platform/db/Table.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBNavigator.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>

namespace {

using Button = ui::DBNavigator::Button;

// The main window driven as a user drives it: keys go to whatever has the focus, clicks land on widgets.
class MainWindowKeysTest : public MainWindowFixture
{
protected:
    void clickCell(ui::DBGrid* grid, int row, int column)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(row, column).center());
    }

    void pressNavigator(Button button) { QTest::mouseClick(window().DBNavigator1->button(button), Qt::LeftButton); }

    // The stored employee of that name, field by field, read apart from the window.
    static QString storedEmployee(const QString& name, const char* field)
    {
        db::Table table;
        table.setDatabaseName(DirectoryDatabase::Alias);
        table.setTableName(DirectoryDatabase::EmployeeTable);
        table.Open();
        if (!table.Locate(QStringLiteral("Name"), name))
            return QStringLiteral("<missing>");
        return table.FieldByName(QLatin1String(field)).AsString();
    }
};

TEST_F(MainWindowKeysTest, CtrlXEndsTheProgramFromEveryKindOfFocusedControl)
{
    struct Case
    {
        const char* control;
        int page;
        bool permission;
    };
    const Case cases[] = {
        { "EditEmployeeSearch", 0, false }, // where the start puts the focus
        { "DBEditName", 0, false }, { "DBEditName", 0, true }, // a record edit that edits
        { "DBGridEmployee2", 0, false }, { "DBLookupComboBox1", 0, false }, { "EditDepartmentSearch", 1, false },
        { "DBEditDepartment", 1, false }, { "DBGridEmployee", 1, true }, // its cell editor, open
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.control);
        TfrmMain& main = start();
        if (test.permission)
            grantPermission();
        if (test.page == 1)
            switchToPage(1);
        auto* const control = component<QWidget>(test.control);
        if (auto* const grid = qobject_cast<ui::DBGrid*>(control); grid && test.permission) {
            clickCell(grid, 0, 1);
            uitest::press(Qt::Key_F2);
            ASSERT_TRUE(grid->isEditing());
        } else {
            control->setFocus();
        }
        QWidget* const focus = uitest::focused();
        const QString text = qobject_cast<QLineEdit*>(focus) ? qobject_cast<QLineEdit*>(focus)->text() : QString();
        uitest::press(Qt::Key_A, Qt::ControlModifier); // select all, where the control has text
        uitest::press(Qt::Key_X, Qt::ControlModifier);
        EXPECT_FALSE(main.isVisible()) << "Ctrl+X did not end the program";
        if (auto* const edit = qobject_cast<QLineEdit*>(focus)) {
            EXPECT_EQ(edit->text(), text) << "the text was cut";
        }
    }
}

TEST_F(MainWindowKeysTest, EveryMenuShortcutWinsOverTheFocusedTextBox)
{
    TfrmMain& main = start();
    db::Table& employees = *data().TblEmployee1;
    main.EditEmployeeSearch->setFocus();
    uitest::typeIntoFocus("BR");
    uitest::press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(main.EditEmployeeSearch->selectedText(), "BR") << "keys no menu claims stay the box's";

    // (The search box searches again on every letter released, Ctrl+N's N too: the record keys are tried in a
    // record edit.)
    main.DBEditName->setFocus();
    const qint64 start = employees.RecNo();
    uitest::press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(employees.RecNo(), start + 1);
    uitest::press(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(employees.RecNo(), employees.RecordCount());
    uitest::press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(employees.RecNo(), 1);

    QSignalSpy goTo(main.PrintListing1, &QAction::triggered);
    uitest::press(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(goTo.count(), 1);

    QString dialog;
    m_modal.driveDialog([&](QDialog& shown) {
        dialog = shown.objectName();
        shown.reject();
    });
    main.DBEditName->setFocus();
    uitest::press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialog, QStringLiteral("PrinterSetup"));
    EXPECT_EQ(main.EditEmployeeSearch->text(), "BR");
    EXPECT_TRUE(main.isVisible());
}

TEST_F(MainWindowKeysTest, TabLeavesTheGridsThatSelectWholeRows)
{
    TfrmMain& main = start();
    // Tab (or Shift+Tab) from the grid moves the focus on and leaves the grid's row where it was.
    const auto expectTabLeaves = [](ui::DBGrid* grid, const db::Table& rows, Qt::Key key) {
        grid->setFocus();
        const qint64 row = rows.RecNo();
        uitest::press(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_NE(uitest::focused(), grid);
        EXPECT_EQ(rows.RecNo(), row) << "Tab moved the row";
    };
    expectTabLeaves(main.DBGridEmployee2, *data().TblEmployee1, Qt::Key_Tab);
    expectTabLeaves(main.DBGridEmployee2, *data().TblEmployee1, Qt::Key_Backtab);
    switchToPage(1);
    expectTabLeaves(main.DBGridEmployee, *data().TblEmployee2, Qt::Key_Tab);
}

TEST_F(MainWindowKeysTest, AnEmployeeTypedIntoTheDepartmentGridIsStoredAsTyped)
{
    TfrmMain& main = start();
    grantPermission();
    switchToPage(1);
    ui::DBGrid* const grid = main.DBGridEmployee;
    const QString department = data().TblDepartment->FieldByName(QStringLiteral("Department")).AsString();
    clickCell(grid, 0, 0);
    ASSERT_EQ(main.DBNavigator1->DataSource(), data().SrcEmployee2);
    EXPECT_FALSE(grid->isEditing()) << "a first click only enters the grid";
    pressNavigator(Button::Insert);
    ASSERT_EQ(uitest::focused(), grid) << uitest::focused()->objectName().toStdString();
    uitest::typeIntoFocus("ZZ TEST, ONE");
    ASSERT_TRUE(grid->isEditing());
    EXPECT_EQ(grid->editor()->geometry(), grid->cellRect(grid->currentRow(), 0).adjusted(1, 1, -1, -1));
    uitest::press(Qt::Key_Tab);
    uitest::typeIntoFocus("4998");
    EXPECT_EQ(grid->currentColumn(), 1);
    pressNavigator(Button::Post);
    EXPECT_EQ(storedEmployee("ZZ TEST, ONE", "Extension"), "4998");
    EXPECT_EQ(storedEmployee("ZZ TEST, ONE", "Department"), department);

    // F2 and capitals into an existing cell: the text typed replaces it whole.
    clickCell(grid, grid->currentRow(), 6);
    uitest::press(Qt::Key_F2);
    uitest::typeIntoFocus("XY Manager");
    uitest::press(Qt::Key_Down);
    EXPECT_EQ(storedEmployee("ZZ TEST, ONE", "Title"), "XY Manager");
}

TEST_F(MainWindowKeysTest, TheDepartmentGridShowsEachDepartmentFromItsFirstColumn)
{
    TfrmMain& main = start();
    switchToPage(1);
    ui::DBGrid* const grid = main.DBGridEmployee;
    QScrollBar* const sideways = grid->horizontalScrollBar();
    ASSERT_GT(sideways->maximum(), 0) << "the seven columns are wider than the grid";
    sideways->setValue(sideways->maximum());
    main.Next1->trigger();
    EXPECT_EQ(sideways->value(), 0);
}

TEST_F(MainWindowKeysTest, TheSpecialNumberGridTakesCapitalsAndShowsItsCurrentRow)
{
    start();
    TFrmSpecial dialog(data(), &window());
    ASSERT_TRUE(activateSoon(dialog));
    ui::DBGrid* const grid = dialog.DBGrid1;
    EXPECT_GT(grid->indicatorWidth(), 0) << "no mark of the current row";
    QTest::mouseClick(dialog.DBNavigator1->button(Button::Insert), Qt::LeftButton);
    clickCell(grid, grid->currentRow(), 0);
    uitest::typeIntoFocus("9W");
    uitest::press(Qt::Key_Tab);
    uitest::typeIntoFocus("Night Line Éire");
    uitest::press(Qt::Key_Tab);
    EXPECT_NE(uitest::focused(), grid->editor()) << "Tab after the last cell leaves the grid";
    QTest::mouseClick(dialog.DBNavigator1->button(Button::Post), Qt::LeftButton);
    db::Table& specials = *data().TblSpecial;
    ASSERT_TRUE(specials.Locate(QStringLiteral("Number"), QStringLiteral("9W")));
    EXPECT_EQ(specials.FieldByName(QStringLiteral("Description")).AsString(), QStringLiteral("Night Line Éire"));
}

TEST_F(MainWindowKeysTest, TheSpecialNumberGridKeepsBothColumnsInViewWhileARowIsTyped)
{
    // A short table, and one long enough for the grid's vertical scroll bar to take its share of the width.
    for (const int added : { 0, 40 }) {
        SCOPED_TRACE(added);
        QList<TSpecialRec> rows;
        for (int row = 0; row < added; ++row)
            rows.append({ QString::number(700 + row), QStringLiteral("Extension line") });
        m_environment.addRows(DirectoryDatabase::SpecialTable, rows);
        start();
        TFrmSpecial dialog(data(), &window());
        ASSERT_TRUE(activateSoon(dialog));
        ui::DBGrid* const grid = dialog.DBGrid1;
        const auto expectBothInView = [grid](const char* when) {
            EXPECT_EQ(grid->horizontalScrollBar()->value(), 0) << when;
            const QRect view = grid->viewport()->rect();
            const int row = std::max(0, grid->currentRow());
            for (int column = 0; column < grid->columnCount(); ++column) {
                const QRect cell = grid->cellRect(row, column);
                EXPECT_TRUE(view.contains(cell)) << when << ", column " << column;
                EXPECT_GT(cell.width(), 40) << when << ", column " << column;
            }
        };
        expectBothInView("at the start");
        EXPECT_TRUE(added == 0 || grid->verticalScrollBar()->isVisible());

        QTest::mouseClick(dialog.DBNavigator1->button(Button::Insert), Qt::LeftButton);
        clickCell(grid, grid->currentRow(), 0);
        uitest::typeIntoFocus("1234567890*#+99");
        uitest::press(Qt::Key_Tab);
        expectBothInView("in Description");
        uitest::typeIntoFocus("Night operator, main desk");
        expectBothInView("typed");
        QTest::mouseClick(dialog.DBNavigator1->button(Button::Post), Qt::LeftButton);
        expectBothInView("after Post");
        EXPECT_EQ(grid->cellText(grid->currentRow(), 0), QStringLiteral("1234567890*#+99"));
        EXPECT_EQ(grid->cellText(grid->currentRow(), 1), QStringLiteral("Night operator, main desk"));
    }
}

} // namespace
