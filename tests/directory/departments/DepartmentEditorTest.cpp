#include "DepartmentsFixture.h"
#include "PointerInput.h"
#include "TestFiles.h"

#include "directory/TfrmDataMod.h"
#include "directory/TfrmEditMaster.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/db/Table.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBNavigator.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <functional>

namespace {

using Button = ui::DBNavigator::Button;

class DepartmentEditorTest : public DepartmentsFixture
{
protected:
    TfrmMain& startWithPermission()
    {
        TfrmMain& main = start();
        main.EnableEditing();
        return main;
    }

    // The next department editor is worked on by `work` once it is shown and active, as a user would.
    void driveEditor(const std::function<void(TfrmEditMaster&)>& work)
    {
        nextDialog<TfrmEditMaster>([work](TfrmEditMaster& editor) {
            ASSERT_TRUE(activateSoon(editor));
            work(editor);
        });
    }

    // Opens the editor from the menu, for `work` to do what the user does in it.
    void editDepartments(const std::function<void(TfrmEditMaster&)>& work)
    {
        driveEditor(work);
        window().AddModifyDepartment1->trigger();
        EXPECT_EQ(m_modal.pendingDrivers(), 0);
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
    static void press(TfrmEditMaster& editor, Button button)
    {
        QTest::mouseClick(editor.DBNavigator1->button(button), Qt::LeftButton);
    }
    QString currentDepartment()
    {
        return data().TblEditDepartment->FieldByName(QStringLiteral("Department")).AsString();
    }
    // A click at the point of the window where the widget lies, which whatever lies on top there gets.
    static void clickAt(QWidget& window, QWidget* widget, QPoint point = {})
    {
        const QPoint local = point.isNull() ? widget->rect().center() : point;
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, widget->mapTo(&window, local));
    }
    // Keys typed one by one, each to the widget that has the focus when it is pressed.
    static void type(const QString& text)
    {
        for (const QChar character : text)
            QTest::keyClick(focused(), character.toLatin1());
    }
    int guardMessages() const
    {
        return static_cast<int>(
            m_modal.messageTexts().count(QStringLiteral("Cancel changes or post changes before closing")));
    }
};

TEST_F(DepartmentEditorTest, OpensOnTheDepartmentTableWithItsCaptionComponentsAndSearchFocus)
{
    startWithPermission();
    editDepartments([this](TfrmEditMaster& editor) {
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Editing Department"));
        EXPECT_EQ(editor.size(), QSize(616, 351));
        EXPECT_EQ(focused(), editor.EditDepartmentSearch);
        EXPECT_EQ(editor.Label1->text(), QStringLiteral("Searching for a department:"));
        EXPECT_EQ(editor.BitBtn1->text(), QStringLiteral("Close"));
        EXPECT_TRUE(editor.BitBtn1->isDefault());
        EXPECT_EQ(editor.DBNavigator1->VisibleButtons(), 511) << "every button but Refresh";
        EXPECT_EQ(editor.ActiveDataSource->DataSet(), data().TblEditDepartment);
        EXPECT_TRUE(editor.ActiveDataSource->AutoEdit());
        QStringList titles;
        for (int column = 0; column < editor.DBGrid1->columnCount(); ++column)
            titles << editor.DBGrid1->columnTitle(column);
        EXPECT_EQ(titles, (QStringList { "Department", "MainExtension", "FaxNumber", "Address1", "Address2" }));
        QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(m_modal.dialogTitles(), QStringList { "Editing Department" });
}

TEST_F(DepartmentEditorTest, SearchKeysFindTheFirstDepartmentInOrderAndEscEmptiesTheBoxWithoutClosing)
{
    startWithPermission();
    editDepartments([this](TfrmEditMaster& editor) {
        QTest::keyClicks(focused(), QStringLiteral("sa"));
        EXPECT_EQ(editor.EditDepartmentSearch->text(), QStringLiteral("SA"));
        EXPECT_EQ(currentDepartment(), QStringLiteral("SAFETY")) << "SAFETY sorts before Sales";
        QTest::keyClicks(focused(), QStringLiteral("l"));
        EXPECT_EQ(currentDepartment(), QStringLiteral("Sales"));
        // A blank joins the search only with the next key of the search set; a miss stays where it is.
        QTest::keyClick(focused(), Qt::Key_Space);
        EXPECT_EQ(editor.SearchText, QStringLiteral("SAL"));
        QTest::keyClicks(focused(), QStringLiteral("x"));
        EXPECT_EQ(editor.SearchText, QStringLiteral("SAL X"));
        EXPECT_EQ(currentDepartment(), QStringLiteral("Sales"));

        QTest::keyClick(focused(), Qt::Key_Escape);
        EXPECT_TRUE(editor.EditDepartmentSearch->text().isEmpty());
        EXPECT_TRUE(editor.SearchText.isEmpty());
        EXPECT_EQ(currentDepartment(), QStringLiteral("Sales"));
        EXPECT_TRUE(editor.isVisible()) << "Esc does not close the editor";
        QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
    });
}

TEST_F(DepartmentEditorTest, ClosingWhileARowIsPendingIsRefusedByEveryWayOfClosing)
{
    TfrmMain& main = startWithPermission();
    driveEditor([&](TfrmEditMaster& editor) {
        press(editor, Button::Insert);
        ui::DBGrid* const grid = editor.DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(grid->currentRow(), 0).center());
        QTest::keyClicks(focused(), QStringLiteral("purchasing"));
        ASSERT_EQ(data().TblEditDepartment->State(), db::DataSetState::Insert);

        editor.close(); // the close box
        EXPECT_TRUE(editor.isVisible());
        QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(editor.isVisible());
        editor.EditDepartmentSearch->setFocus();
        QTest::keyClick(focused(), Qt::Key_Return); // presses the default button
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(guardMessages(), 3);
        EXPECT_EQ(data().TblEditDepartment->State(), db::DataSetState::Insert) << "the new row stays pending";

        press(editor, Button::Cancel);
        editor.close();
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(TfrmEditMaster(data(), &main).EditDepartments(), TfrmEditMaster::mrCancel);
    EXPECT_EQ(departments(), (QStringList { "Accounting", "DESIGN", "SAFETY", "Sales" }));
}

TEST_F(DepartmentEditorTest, AFailingCascadeIsShownAndLeavesTheRenamePendingInTheGrid)
{
    startWithPermission();
    SqliteShell other(tablePath(DirectoryDatabase::EmployeeTable));
    editDepartments([&](TfrmEditMaster& editor) {
        QTest::keyClicks(focused(), QStringLiteral("design"));
        press(editor, Button::Edit);
        data().TblEditDepartmentDepartment->setAsString(QStringLiteral("DESIGN LAB"));
        ASSERT_TRUE(other.execute("BEGIN IMMEDIATE"));
        press(editor, Button::Post);
        ASSERT_FALSE(m_modal.messages().isEmpty());
        EXPECT_NE(m_modal.messages().last().text.indexOf(QStringLiteral("busy")), -1)
            << m_modal.messages().last().text.toStdString();
        EXPECT_EQ(data().TblEditDepartment->State(), db::DataSetState::Edit);
        ASSERT_TRUE(other.execute("ROLLBACK"));
        press(editor, Button::Post);
        QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(departments(), (QStringList { "Accounting", "DESIGN LAB", "SAFETY", "Sales" }));
    EXPECT_TRUE(employees().contains(QStringLiteral("DESIGN LAB/CARTER, EVE")));
}

TEST_F(DepartmentEditorTest, ARenameRefusedByTheCascadeAfterTheRowWasWrittenIsShownAndChangesNeitherFile)
{
    // CARTER, EVE of DESIGN LAB already: renaming DESIGN would give DESIGN's CARTER, EVE the same key.
    m_environment.addRows(DirectoryDatabase::EmployeeTable,
        QList<TEmployeeRec> { { "DESIGN LAB", "CARTER, EVE", "200", {}, {}, {}, {}, {} } });
    const QString employeePath = tablePath(DirectoryDatabase::EmployeeTable);
    const QString departmentPath = tablePath(DirectoryDatabase::DepartmentTable);
    const QByteArray employeesBefore = readFile(employeePath);
    const QByteArray departmentsBefore = readFile(departmentPath);
    startWithPermission();
    editDepartments([&](TfrmEditMaster& editor) {
        type(QStringLiteral("design"));
        ui::DBGrid* const grid = editor.DBGrid1;
        ASSERT_EQ(grid->cellText(grid->currentRow(), 0), QStringLiteral("DESIGN"));
        clickAt(editor, grid->viewport(), grid->cellRect(grid->currentRow(), 0).center());
        ASSERT_EQ(focused(), grid);
        type(QStringLiteral("DESIGN LAB"));
        clickAt(editor, editor.DBNavigator1->button(Button::Post));

        ASSERT_EQ(messages().size(), 1);
        EXPECT_EQ(messages().first(), QStringLiteral("Key violation in table employee.DB"));
        EXPECT_EQ(data().TblEditDepartment->State(), db::DataSetState::Edit);
        EXPECT_EQ(currentDepartment(), QStringLiteral("DESIGN LAB")) << "the typed name stays for the user to change";
        EXPECT_EQ(readFile(employeePath), employeesBefore);
        EXPECT_EQ(readFile(departmentPath), departmentsBefore);
        clickAt(editor, editor.DBNavigator1->button(Button::Cancel));
        clickAt(editor, editor.BitBtn1);
    });
    EXPECT_EQ(departments(), (QStringList { "Accounting", "DESIGN", "SAFETY", "Sales" }));
    EXPECT_EQ(employees().filter(QStringLiteral("CARTER, EVE")),
        (QStringList { "DESIGN LAB/CARTER, EVE", "DESIGN/CARTER, EVE" }));
}

TEST_F(DepartmentEditorTest, ReopeningContinuesOnTheSameRowWithAnEmptySearchBox)
{
    startWithPermission();
    editDepartments([](TfrmEditMaster& editor) {
        QTest::keyClicks(focused(), QStringLiteral("de"));
        QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(currentDepartment(), QStringLiteral("DESIGN"));
    EXPECT_TRUE(data().TblEditDepartment->Active()) << "the editor's table stays open between showings";

    editDepartments([this](TfrmEditMaster& editor) {
        EXPECT_TRUE(editor.EditDepartmentSearch->text().isEmpty());
        EXPECT_TRUE(editor.SearchText.isEmpty());
        EXPECT_EQ(currentDepartment(), QStringLiteral("DESIGN"));
        EXPECT_EQ(editor.DBGrid1->cellText(editor.DBGrid1->currentRow(), 0), QStringLiteral("DESIGN"));
        QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
    });
}

TEST_F(DepartmentEditorTest, TheDepartmentPageIsRefreshedOnlyAfterClose)
{
    TfrmMain& main = startWithPermission();
    switchToPage(1);
    ASSERT_EQ(main.DBEditDepartment->text(), QStringLiteral("Accounting"));
    const auto renameAccounting = [this](const QString& to) {
        return [this, to](TfrmEditMaster& editor) {
            press(editor, Button::First);
            press(editor, Button::Edit);
            data().TblEditDepartmentDepartment->setAsString(to);
            press(editor, Button::Post);
        };
    };

    // Closed by the close box: the page keeps what it had read.
    driveEditor([&](TfrmEditMaster& editor) {
        renameAccounting(QStringLiteral("ACCOUNTS"))(editor);
        editor.close();
    });
    QTest::mouseClick(main.DBNavigator1->button(Button::Edit), Qt::LeftButton);
    EXPECT_EQ(main.DBEditDepartment->text(), QStringLiteral("Accounting"));

    // Closed with "Close": the page shows the departments and their employees as edited.
    driveEditor([&](TfrmEditMaster& editor) {
        renameAccounting(QStringLiteral("FINANCE"))(editor);
        QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(main.DBNavigator1->button(Button::Insert), Qt::LeftButton);
    EXPECT_EQ(m_modal.pendingDrivers(), 0);
    EXPECT_EQ(data().TblDepartment->State(), db::DataSetState::Browse);
    EXPECT_EQ(data().TblDepartment->FieldByName(QStringLiteral("Department")).AsString(), QStringLiteral("FINANCE"));
    EXPECT_EQ(data().TblEmployee2->RecordCount(), 1);
    EXPECT_EQ(data().TblEmployee2->FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("BAKER, DON"));
}

// With the mouse alone, each click at a point of the window: the search line and the grid in the frame take it.
TEST_F(DepartmentEditorTest, TheFramedSearchLineAndGridTakeClicks)
{
    startWithPermission();
    editDepartments([this](TfrmEditMaster& editor) {
        pointer::expectMouseReaches(editor, { "Label1", "EditDepartmentSearch", "DBGrid1", "DBNavigator1", "BitBtn1" });
        ui::DBGrid* const grid = editor.DBGrid1;
        pointer::click(*grid->viewport(), grid->cellRect(2, 1).center());
        EXPECT_EQ(currentDepartment(), QStringLiteral("SAFETY"));
        EXPECT_EQ(grid->currentColumn(), 1);
        EXPECT_TRUE(grid->hasFocus());
        pointer::click(*editor.EditDepartmentSearch);
        EXPECT_EQ(focused(), editor.EditDepartmentSearch);
        pointer::click(*editor.DBNavigator1->button(Button::Last));
        EXPECT_EQ(currentDepartment(), QStringLiteral("Sales"));
        pointer::click(*editor.BitBtn1);
        EXPECT_FALSE(editor.isVisible());
    });
}

} // namespace
