#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "directory/FixedTabBar.h"
#include "directory/LetterListDock.h"
#include "directory/PageControl.h"
#include "platform/db/Table.h"
#include "platform/os/PrinterSetupDialog.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/DBLookupComboBox.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>

#include <optional>

namespace {

const QStringList browseButtons = { "nbFirst", "nbPrior", "nbNext", "nbLast" };

// A point of the widget that none of its children covers.
QPoint freePoint(const QWidget& widget)
{
    for (int y = widget.height() - 3; y > 2; y -= 5) {
        for (int x = widget.width() - 3; x > 2; x -= 5) {
            if (!widget.childAt(x, y))
                return { x, y };
        }
    }
    ADD_FAILURE() << "no free point on " << widget.objectName().toStdString();
    return {};
}

void expectRecordMenu(const TfrmMain& main, bool first, bool previous, bool next, bool last)
{
    EXPECT_EQ(main.First1->isEnabled(), first);
    EXPECT_EQ(main.Previous1->isEnabled(), previous);
    EXPECT_EQ(main.Next1->isEnabled(), next);
    EXPECT_EQ(main.Last1->isEnabled(), last);
}

class MainWindowTest : public MainWindowFixture
{
protected:
    void showLetterLists()
    {
        window().PanelEmployeeDock->show();
        window().PanelDepartmentDock->show();
        ASSERT_TRUE(window().PanelEmployee->isVisible());
        ASSERT_TRUE(window().PanelDepartment->isVisible());
    }

    // What a switch to the page shows: its table on the navigator, the prefix chooser in its place, both search
    // boxes empty and the page's own one focused, both letter lists hidden, and the page's own panels.
    void expectSwitchedTo(int page)
    {
        TfrmMain& main = window();
        const bool employeePage = page == 0;
        EXPECT_EQ(main.unitState().CurrentPage, page);
        EXPECT_EQ(main.DBNavigator1->DataSource(), employeePage ? data().SrcEmployee1 : data().SrcDepartment);
        EXPECT_EQ(main.DBLookupComboBox1->pos(), employeePage ? QPoint(82, 124) : QPoint(402, 300));
        EXPECT_TRUE(main.EditDepartmentSearch->text().isEmpty());
        EXPECT_TRUE(main.EditEmployeeSearch->text().isEmpty());
        EXPECT_TRUE((employeePage ? main.EditEmployeeSearch : main.EditDepartmentSearch)->hasFocus());
        expectListsShown(false, false);
        EXPECT_EQ(main.PanelEmployee1->isVisible(), employeePage);
        EXPECT_EQ(main.PanelEmployee2->isVisible(), employeePage);
        EXPECT_EQ(main.PanelDepartment1->isVisible(), !employeePage);
        EXPECT_EQ(main.DBGridEmployee->isVisible(), !employeePage);
    }
};

TEST_F(MainWindowTest, StartsOnTheEmployeePageBrowsingTheFirstEmployee)
{
    TfrmMain& main = start();

    EXPECT_EQ(main.windowTitle(), QStringLiteral("Ringfolio 2.5"));
    EXPECT_EQ(messages(), QStringList());
    EXPECT_TRUE(data().TblEmployee1->Active());
    EXPECT_TRUE(data().TblSpecial->Active());
    EXPECT_FALSE(data().TblDepartment->Active()) << "opened at the first visit to the department page";
    EXPECT_EQ(main.unitState().CurrentPage, 0);
    EXPECT_TRUE(main.unitState().SearchText.isEmpty());
    EXPECT_TRUE(main.unitState().FirstEmployeeLetterClick);
    EXPECT_TRUE(main.unitState().FirstDepartmentLetterClick);
    EXPECT_FALSE(main.unitState().EditAllowed);

    EXPECT_EQ(main.PageControlMain->currentIndex(), 0);
    EXPECT_TRUE(main.PanelEmployee1->isVisible());
    EXPECT_TRUE(main.PanelEmployee2->isVisible());
    EXPECT_FALSE(main.PanelDepartment1->isVisible());
    EXPECT_FALSE(main.DBGridEmployee->isVisible());
    expectListsShown(false, false);
    EXPECT_TRUE(main.DBEditEmployeeDepartment->isVisible());
    EXPECT_FALSE(main.DBLookupCombo1->isVisible()) << "the department picker waits for edit permission";

    ASSERT_EQ(main.TabControlMain->count(), 26);
    EXPECT_EQ(main.TabControlMain->tabText(0), QStringLiteral("A"));
    EXPECT_EQ(main.TabControlMain->tabText(25), QStringLiteral("Z"));
    EXPECT_EQ(main.TabControlMain->currentIndex(), 0);

    EXPECT_EQ(main.DBNavigator1->DataSource(), data().SrcEmployee1);
    EXPECT_EQ(shownButtons(), browseButtons);
    EXPECT_EQ(main.DBNavigator1->width(), 124);
    expectRecordMenu(main, false, false, true, true);

    EXPECT_EQ(main.DBLookupComboBox1->pos(), QPoint(82, 124));
    EXPECT_EQ(main.DBLookupComboBox1->width(), 183);
    EXPECT_EQ(main.DBEditName->text(), data().TblEmployee1->FieldByName(QStringLiteral("Name")).AsString());

    // The backdrop is the program's own JPEG picture, decoded when the window is built.
    ASSERT_FALSE(main.Image1->pixmap().isNull());
    EXPECT_EQ(main.Image1->pixmap().size(), QSize(636, 360));
}

TEST_F(MainWindowTest, PageSwitchBeforePermissionMovesChooserAndSearchFocusAndKeepsBrowseButtons)
{
    TfrmMain& main = start();
    main.TabControlMain->setCurrentIndex(3);
    main.EditEmployeeSearch->setText(QStringLiteral("SMI"));
    main.EditDepartmentSearch->setText(QStringLiteral("ACC"));
    showLetterLists();

    switchToPage(1);
    EXPECT_EQ(messages(), QStringList());
    expectSwitchedTo(1);
    EXPECT_TRUE(data().TblDepartment->Active());
    EXPECT_TRUE(data().TblEmployee2->Active());
    EXPECT_EQ(shownButtons(), browseButtons);
    EXPECT_EQ(main.DBNavigator1->width(), 124);
    EXPECT_EQ(main.TabControlMain->currentIndex(), 3) << "the letter stays";
    // The Record menu now follows the department table, which is on its first row.
    expectRecordMenu(main, false, false, true, true);
    EXPECT_EQ(
        main.DBEditDepartment->text(), data().TblDepartment->FieldByName(QStringLiteral("Department")).AsString());
    EXPECT_EQ(main.DBGridEmployee->rowCount() > 0, !data().TblEmployee2->IsEmpty());

    // Entering the department's employee grid without permission changes nothing.
    main.DBGridEmployee->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.DBGridEmployee->hasFocus(); }, 5000));
    EXPECT_EQ(main.DBNavigator1->DataSource(), data().SrcDepartment);
    EXPECT_EQ(shownButtons(), browseButtons);
    EXPECT_FALSE(main.DBGridEmployee->options().testFlag(ui::DBGrid::Option::Editing));

    main.EditEmployeeSearch->setText(QStringLiteral("SMI"));
    showLetterLists();
    switchToPage(0);
    expectSwitchedTo(0);
    EXPECT_TRUE(data().TblDepartment->Active()) << "open for the rest of the run";
}

TEST_F(MainWindowTest, RecordMenuMovesTheNavigatorsTableAndFollowsItsEnds)
{
    TfrmMain& main = start();
    db::Table& employees = *data().TblEmployee1;

    main.Next1->trigger();
    EXPECT_EQ(employees.RecNo(), 2);
    expectRecordMenu(main, true, true, true, true);

    QTest::keyClick(&main, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(employees.RecNo(), employees.RecordCount());
    expectRecordMenu(main, true, true, false, false);

    main.Previous1->trigger();
    EXPECT_EQ(employees.RecNo(), employees.RecordCount() - 1);
    QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(employees.RecNo(), 1);
    expectRecordMenu(main, false, false, true, true);

    // On the department page the same items move the departments, not the employees.
    switchToPage(1);
    QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(data().TblDepartment->RecNo(), 2);
    EXPECT_EQ(employees.RecNo(), 1);
    expectRecordMenu(main, true, true, true, true);
}

TEST_F(MainWindowTest, AfterASearchReachedTheLastEmployeeNextStaysEnabledUntilChosen)
{
    TfrmMain& main = start();
    db::Table& employees = *data().TblEmployee1;
    employees.Last(); // as a search that finds the last employee moves the table
    const qint64 last = employees.RecNo();
    expectRecordMenu(main, false, false, true, true);

    main.Next1->trigger();
    EXPECT_EQ(employees.RecNo(), last) << "nothing lies beyond the last employee";
    expectRecordMenu(main, true, true, false, false);
}

TEST_F(MainWindowTest, CtrlPOpensThePrinterSetupNotThePreviousRecord)
{
    TfrmMain& main = start();
    main.Next1->trigger();
    main.Next1->trigger();
    ASSERT_EQ(data().TblEmployee1->RecNo(), 3);

    QString dialogName;
    bool isSetupDialog = false;
    m_modal.driveDialog([&](QDialog& dialog) {
        dialogName = dialog.objectName();
        isSetupDialog = qobject_cast<os::PrinterSetupDialog*>(&dialog) != nullptr;
        dialog.reject();
    });
    QTest::keyClick(&main, Qt::Key_P, Qt::ControlModifier);

    EXPECT_EQ(m_modal.pendingDrivers(), 0) << "no dialog was shown";
    EXPECT_EQ(dialogName, QStringLiteral("PrinterSetup"));
    EXPECT_TRUE(isSetupDialog);
    EXPECT_EQ(data().TblEmployee1->RecNo(), 3);
}

TEST_F(MainWindowTest, LetterListPanelsSizeTheirListsWhenResized)
{
    TfrmMain& main = start();
    QTableWidget& names = *main.StringGridEmployee;

    main.PanelEmployeeCanResize(300, 200);
    EXPECT_EQ(names.size(), QSize(283, 181));
    EXPECT_EQ(names.columnWidth(0), 150);
    EXPECT_EQ(names.columnWidth(1), 150);
    EXPECT_EQ(names.horizontalHeader()->defaultSectionSize(), 150);
    main.PanelEmployeeCanResize(301, 200);
    EXPECT_EQ(names.columnWidth(0), 150) << "half the width, truncated";

    main.PanelDepartmentCanResize(300, 200);
    EXPECT_EQ(main.ListBoxDepartment->size(), QSize(283, 181));

    // A letter list that floats follows the size the user gives it.
    main.PanelEmployeeDock->show();
    main.PanelEmployeeDock->setFloating(true);
    main.PanelEmployeeDock->resize(420, 330);
    QFrame& panel = *main.PanelEmployee;
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.width() > 300; }, 5000));
    EXPECT_EQ(names.size(), panel.size() - QSize(17, 19));
    EXPECT_EQ(names.columnWidth(0), panel.width() / 2);
}

TEST_F(MainWindowTest, OpensMaximisedOnTheWholeAvailableScreen)
{
    TfrmMain& main = start();
    EXPECT_TRUE(main.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(main.size(), main.screen()->availableGeometry().size()) << "also where nothing maximises it";
}

TEST_F(MainWindowTest, PagesTakeTheWidthTheWindowGivesThemAroundTheirFixedPlaces)
{
    TfrmMain& main = start();
    switchToPage(1); // opens the department's employees
    main.setWindowState(Qt::WindowNoState);
    // Whether the department's employees show every column; at 1024 that depends on the font.
    const struct
    {
        int width;
        std::optional<bool> everyColumnShows;
    } cases[] = { { 760, false }, { 1024, std::nullopt }, { 1280, true } };
    for (const auto& [width, everyColumnShows] : cases) {
        SCOPED_TRACE(width);
        main.resize(width, 720);
        ASSERT_TRUE(QTest::qWaitFor([&] { return main.ClientArea->width() == width; }, 5000));
        const QRect content(0, 0, main.PanelHide->x(), main.ClientArea->height());

        // The employee page: the record, and the search beside it up to the page tabs.
        const QRect record = main.PanelEmployee1->geometry();
        const QRect search = main.PanelEmployee2->geometry();
        EXPECT_TRUE(content.contains(search));
        EXPECT_FALSE(search.intersects(record));
        EXPECT_GE(search.right(), content.right() - 8) << "the search panel stops short of the page tabs";
        EXPECT_TRUE(main.PanelEmployee2->rect().contains(main.DBGridEmployee2->geometry()));

        // The department page: the chooser stays at its place under the department's prefix label, and the
        // department's employees lie under the record, across the window.
        const QRect department = main.PanelDepartment1->geometry();
        const QRect employees = main.DBGridEmployee->geometry();
        const QRect prefixLabel = main.findChild<QLabel*>(QStringLiteral("LabelDepartmentPrefix"))
                                      ->geometry()
                                      .translated(department.topLeft());
        const QRect chooser(QPoint(402, 300), main.DBLookupComboBox1->size());
        EXPECT_TRUE(content.contains(employees));
        EXPECT_FALSE(employees.intersects(department));
        EXPECT_FALSE(employees.intersects(chooser));
        EXPECT_TRUE(department.contains(chooser));
        EXPECT_LE(prefixLabel.bottom(), chooser.top());
        EXPECT_TRUE(prefixLabel.contains(QPoint(chooser.left(), prefixLabel.center().y())));
        EXPECT_GE(employees.right(), content.right() - 8);

        ui::DBGrid& grid = *main.DBGridEmployee;
        ASSERT_EQ(grid.columnCount(), 7);
        if (!everyColumnShows)
            continue;
        int columns = grid.indicatorWidth();
        for (int column = 0; column < grid.columnCount(); ++column)
            columns += grid.columnWidth(column);
        EXPECT_EQ(columns <= grid.viewport()->width(), *everyColumnShows) << columns;
        EXPECT_EQ(grid.horizontalScrollBar()->maximum() == 0, *everyColumnShows);
    }
}

TEST_F(MainWindowTest, EveryBoundClickHidesBothLetterLists)
{
    start();
    // Clicks the widget's own area with both lists shown; says whether that hid them.
    const auto click = [this](const char* name, bool hides) {
        QWidget* const widget = component(name);
        if (!widget)
            return;
        showLetterLists();
        QTest::mouseClick(widget, Qt::LeftButton, {}, freePoint(*widget));
        EXPECT_EQ(employeeListShown(), !hides) << name;
        EXPECT_EQ(departmentListShown(), !hides) << name;
    };
    const auto clickHides = [&click](const char* name) { click(name, true); };
    const auto clickLeaves = [&click](const char* name) { click(name, false); };

    int bindings = 0;
    for (const char* name : { "ClientArea", "Image1", "PanelEmployee1", "PanelEmployee2", "LabelName", "LabelExtension",
             "LabelPager", "LabelCellular", "LabelHomePhone", "LabelEMail", "LabelTitle", "LabelEmployeeDepartment",
             "LabelEmployeeSearch", "DBEditName", "DBEditExtension", "DBEditBeeper", "DBEditCellularPhone",
             "DBEditHomePhone", "DBEditEMail", "DBEditTitle", "DBEditEmployeeDepartment", "EditEmployeeSearch" }) {
        clickHides(name);
        ++bindings;
    }
    for (const char* name : { "LabelEmployeePrefix", "LabelDialHint" })
        clickLeaves(name);

    switchToPage(1);
    for (const char* name : { "LabelDepartment", "LabelMainExtension", "LabelFaxNumber", "LabelLocationLine1",
             "LabelLocationLine2", "LabelDepartmentSearch", "DBEditDepartment", "DBEditMainExtension",
             "DBEditFaxNumber", "DBEditLocationLine1", "DBEditLocationLine2", "EditDepartmentSearch" }) {
        clickHides(name);
        ++bindings;
    }
    EXPECT_EQ(bindings, 34);
    for (const char* name : { "LabelDepartmentPrefix", "PanelDepartment1" })
        clickLeaves(name);
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(MainWindowTest, GridClicksTabSheetPressesAndNameListDoubleClicksHideTheirLists)
{
    TfrmMain& main = start();

    showLetterLists();
    QTest::mouseClick(
        main.DBGridEmployee2->viewport(), Qt::LeftButton, {}, main.DBGridEmployee2->cellRect(1, 0).center());
    expectListsShown(false, false);
    EXPECT_EQ(data().TblEmployee1->RecNo(), 2) << "the click also chose the row";

    showLetterLists();
    QTest::mousePress(main.TabSheetEmployee, Qt::LeftButton, {}, QPoint(2, 2));
    expectListsShown(false, true);
    EXPECT_EQ(main.PageControlMain->currentIndex(), 0);

    showLetterLists();
    QTest::mouseDClick(main.StringGridEmployee->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    expectListsShown(false, true);

    switchToPage(1);
    showLetterLists();
    QTest::mousePress(main.TabSheetDepartment, Qt::LeftButton, {}, QPoint(2, 2));
    expectListsShown(true, false);

    showLetterLists();
    ASSERT_GT(main.DBGridEmployee->rowCount(), 0);
    QTest::mouseClick(
        main.DBGridEmployee->viewport(), Qt::LeftButton, {}, main.DBGridEmployee->cellRect(0, 0).center());
    expectListsShown(false, false);
}

class EmptyEmployeeTableTest : public MainWindowFixture
{
protected:
    EmptyEmployeeTableTest()
        : MainWindowFixture(DirectoryTestEnvironment::Content::Empty)
    {
    }
};

TEST_F(EmptyEmployeeTableTest, RecordMenuIsDisabledAtBothEnds)
{
    TfrmMain& main = start();
    EXPECT_TRUE(data().TblEmployee1->Active());
    expectRecordMenu(main, false, false, false, false);
}

// The employee table cannot be opened: its file is damaged at the start or in the middle, or missing. The failed
// openings say so, naming the file; the letter lists and the search of the page it belongs to then do nothing.
class UnopenedEmployeeTableTest : public MainWindowFixture
{
protected:
    void clickAt(QWidget* widget, QPoint local)
    {
        QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {}, widget->mapTo(&window(), local));
    }
    void pressLetter(char letter)
    {
        QTabBar* const tabs = window().TabControlMain;
        clickAt(tabs, tabs->tabRect(letter - 'A').center());
    }
    void search(QLineEdit* field, const char* text)
    {
        clickAt(field, field->rect().center());
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(text));
    }
};

TEST_F(UnopenedEmployeeTableTest, SaysWhyAtEachOpeningAndNothingAtTheLettersAndSearchesThatFollow)
{
    const QString path = m_environment.tablePath(DirectoryDatabase::EmployeeTable);
    const QByteArray whole = readFile(path);
    const int pageSize = (static_cast<uchar>(whole.at(16)) << 8) | static_cast<uchar>(whole.at(17));
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString damaged = QStringLiteral("Table employee.DB cannot be read: the file %1 is damaged or is not a table "
                                           "of this directory")
                                .arg(shownPath);
    const struct
    {
        const char* file;
        QByteArray bytes; // empty: no file
        QString says;
    } cases[] {
        { "overwritten at its start", QByteArray(100, '\xa5') + whole.mid(100), damaged },
        { "overwritten in the middle, where its rows begin",
            whole.left(pageSize) + QByteArray(64, '\xff') + whole.mid(pageSize + 64), damaged },
        { "missing", {}, QStringLiteral("Table employee.DB not found: the file %1 does not exist").arg(shownPath) },
    };
    for (const auto& [file, bytes, says] : cases) {
        SCOPED_TRACE(file);
        m_modal.clear();
        QFile::remove(path);
        if (!bytes.isEmpty()) {
            ASSERT_TRUE(writeFile(path, bytes));
        }

        TfrmMain& main = start();
        EXPECT_EQ(messages(), QStringList { says });
        EXPECT_FALSE(data().TblEmployee1->Active());

        search(main.EditEmployeeSearch, "ab");
        pressLetter('D'); // the first press, on another letter
        pressLetter('E');
        pressLetter('E');
        EXPECT_FALSE(employeeListShown());
        // The department page opens its employee grid's table once more, and says so once.
        switchToPage(1);
        EXPECT_EQ(messages(), (QStringList { says, says }));
        EXPECT_FALSE(data().TblEmployee2->Active());
        search(main.EditDepartmentSearch, "s");
        pressLetter('S');
        EXPECT_TRUE(departmentListShown()) << "the department table opened: its list works";
        switchToPage(0);
        switchToPage(1);
        switchToPage(0);
        pressLetter('F');
        search(main.EditEmployeeSearch, "x");

        EXPECT_EQ(messages(), (QStringList { says, says }));
        EXPECT_EQ(readFile(path), bytes) << "the file is only read";
        EXPECT_TRUE(closeWindow());
    }
}

} // namespace
