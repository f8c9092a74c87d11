#pragma once

#include "directory/MainUnitState.h"
#include "platform/os/PrinterHolder.h"
#include "platform/ui/DBNavigator.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QString>

#include <initializer_list>
#include <vector>

class QAction;
class QCloseEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QTableWidget;

namespace db {
class DataSource;
} // namespace db

namespace os {
class HelpViewer;
class WindowDirectory;
} // namespace os

namespace ui {
class DBEdit;
class DBGrid;
class DBLookupCombo;
class DBLookupComboBox;
} // namespace ui

class FixedTabBar;
class LetterListDock;
class NameGridFeed;
class PageControl;
class TfrmDataMod;

// The directory program's main window. It shows one employee or one department at a time beside a search field
// and a grid, on two pages that are sets of panels shown and hidden by the page tabs at the right edge, and leads
// to every other function through its menu. It adds the table password and opens the employee and special-number
// tables when created, and on closing removes the password, tells a running list printer to quit and remembers
// the chosen dial prefix.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // programFolder is where the list printer's program file is looked for first, then the search path.
    TfrmMain(TfrmDataMod& dataModule, os::WindowDirectory& windows, os::HelpViewer& help,
        const QString& programFolder = QCoreApplication::applicationDirPath(), QWidget* parent = nullptr);
    ~TfrmMain() override;
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    const MainUnitState& unitState() const { return m_unit; }
    // What fills the employee letter list as the user scrolls it.
    NameGridFeed& nameGridFeed() const { return *m_nameFeed; }

    // The prefix that dialling puts in front of every number.
    QString SpecialPrefix;

    // Creation, closing and the File and Help commands.
    void FormCreate();
    void FormClose();
    void FormDestroy();
    void PrinterSetup1Click();
    void PrintListing1Click();
    void Exit1Click();
    void Content1Click();
    void BrenwickHomePage1Click();
    void About1Click();
    void GoToCompanion();
    void QuitCompanion();

    // Pages and record navigation.
    void UpdateRecordMenu();
    void PageControlMainChange();
    void DBNavigator1Click(ui::DBNavigator::Button button);
    void First1Click();
    void Previous1Click();
    void Next1Click();
    void Last1Click();
    void DBGridEmployeeEnter();
    void DBGridEmployeeExit();
    // Puts the record in view on the clipboard as plain text, one value a line.
    void Copy1Click();

    // The letter lists.
    void HideListBoxes();
    void DBGridEmployeeCellClick();
    void DBGridEmployee2CellClick();
    void TabSheetEmployeeMouseDown();
    void TabSheetDepartmentMouseDown();
    void StringGridEmployeeDblClick();
    void PanelEmployeeCanResize(int W, int H);
    void PanelDepartmentCanResize(int W, int H);

    // Filling and choosing in the letter lists, and the incremental search. Keys are virtual-key codes.
    void ShowEmployeeLetterList();
    void ShowDepartmentLetterList();
    void TabControlMainChange();
    void TabControlMainMouseDown();
    void StringGridEmployeeClick();
    void ListBoxDepartmentClick();
    void EditSearchFieldKeyUp(int key);

    // Edit permission. The key-press guards take the typed character's code (8 Backspace, 13 Enter, 27 Esc).
    void AddModify1Click();
    void AddModifyDepartment1Click();
    void ImportRecord1Click();
    void ChangePassword1Click();
    void EmployeeKeyPress(int key);
    void DepartmentKeyPress(int key);
    void DBGridEmployee2KeyPress(int key);
    void EnableEditing();
    // The password gate of the commands that need edit permission: asks for the password unless editing is allowed
    // already; whether it is allowed now.
    bool passEditGate();

    // Dialling and the dial prefix. DialNumber takes the called party's name first, then the stored number text.
    void DialNumber(const QString& name, const QString& number);
    void DBEditExtensionDblClick();
    void DBEditBeeperDblClick();
    void DBEditCellularPhoneDblClick();
    void DBEditHomePhoneDblClick();
    void DBGridEmployee2DblClick();
    void DBGridEmployeeDblClick();
    void DBEditMainExtensionDblClick();
    void DBLookupComboBox1CloseUp();
    void SpecialNumber1Click();

    // The window's content lies on ClientArea, in pixels below the menu bar.
    QWidget* const ClientArea;

    QMenuBar* const MainMenu1;
    QMenu* const File1;
    QAction* const PrinterSetup1;
    QAction* const PrintListing1;
    QAction* const N1;
    QAction* const Exit1;
    QMenu* const Record1;
    QAction* const First1;
    QAction* const Previous1;
    QAction* const Next1;
    QAction* const Last1;
    QAction* const N4;
    QAction* const Copy1;
    QAction* const N2;
    QAction* const AddModify1;
    QAction* const AddModifyDepartment1;
    QAction* const N3;
    QAction* const ImportRecord1;
    QMenu* const Option1;
    QAction* const SpecialNumber1;
    QAction* const N7;
    QAction* const EnterPassword1;
    QAction* const ChangePassword1;
    QMenu* const Help1;
    QAction* const Content1;
    QAction* const N5;
    QAction* const BrenwickHomePage1;
    QAction* const N6;
    QAction* const About1;

    QFrame* const ToolBar1;
    QWidget* const Panel3;
    ui::DBNavigator* const DBNavigator1;
    FixedTabBar* const TabControlMain;
    QLabel* const Image1;
    PageControl* const PageControlMain;
    QWidget* const TabSheetEmployee;
    QWidget* const TabSheetDepartment;
    QFrame* const PanelHide;

    // Employee page
    QFrame* const PanelEmployee1;
    ui::DBEdit* const DBEditName;
    ui::DBEdit* const DBEditExtension;
    ui::DBEdit* const DBEditBeeper;
    ui::DBEdit* const DBEditCellularPhone;
    ui::DBEdit* const DBEditHomePhone;
    ui::DBEdit* const DBEditEMail;
    ui::DBEdit* const DBEditTitle;
    ui::DBEdit* const DBEditEmployeeDepartment;
    ui::DBLookupCombo* const DBLookupCombo1;
    QFrame* const PanelEmployee2;
    QLineEdit* const EditEmployeeSearch;
    ui::DBGrid* const DBGridEmployee2;

    // Department page
    QFrame* const PanelDepartment1;
    QLineEdit* const EditDepartmentSearch;
    ui::DBEdit* const DBEditDepartment;
    ui::DBEdit* const DBEditMainExtension;
    ui::DBEdit* const DBEditFaxNumber;
    ui::DBEdit* const DBEditLocationLine1;
    ui::DBEdit* const DBEditLocationLine2;
    ui::DBGrid* const DBGridEmployee;

    // The floating letter lists: each panel is the content of a dock, which is what is shown and hidden.
    QFrame* const PanelEmployee;
    QTableWidget* const StringGridEmployee;
    QFrame* const PanelDepartment;
    QListWidget* const ListBoxDepartment;
    LetterListDock* const PanelEmployeeDock;
    LetterListDock* const PanelDepartmentDock;

    ui::DBLookupComboBox* const DBLookupComboBox1;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's design: components, texts, places, fonts and colours, and the handlers bound to them.
    void buildMenu();
    void buildToolBar();
    void buildLetterTabs();
    void buildBackdrop();
    void buildPageControl();
    void buildEmployeePage();
    void buildDepartmentPage();
    void buildLetterLists();
    void buildPrefixChooser();
    void connectHandlers();
    void placeComponents();
    QLabel* addLabel(QWidget* panel, const char* name, const QString& text, const QRect& geometry);
    QLabel* fieldLabel(QWidget* panel, const char* name, const char* caption, int editTop);
    void hideListsOnClick(QWidget* widget);
    // A record panel's rows of a label and an edit bound to a field, from top down; returns the top after them.
    struct RecordRow
    {
        const char* labelName;
        const char* caption;
        ui::DBEdit* edit;
        const char* field;
    };
    int addRecordRows(QWidget* panel, db::DataSource* source, int top, std::initializer_list<RecordRow> rows);
    void addSearchField(QWidget* panel, const char* labelName, const char* caption, QLineEdit* edit);

    void readSpecialPrefix();
    void setNavigatorButtons(int buttons, int width);

    // Dialling and the dial prefix.
    void connectDialling();
    void dialIfAny(const QString& name, const QString& number);
    void takePrefixFromChooser();
    void clearPrefix();
    void openSpecialNumbers();
    bool runDepartmentEditor();

    // Letter lists, incremental search and edit permission.
    void connectLetterLists();
    bool pageTableOpen() const; // the table the current page's letter list and search work on is open
    void connectPermission();
    void openImport();

    TfrmDataMod& m_dataModule;
    os::WindowDirectory& m_windows;
    os::HelpViewer& m_help;
    const QString m_programFolder;
    os::PrinterHolder m_printer; // the printer set-up dialog's printer
    MainUnitState m_unit;
    std::vector<QWidget*> m_listHidingWidgets; // clicked on their own area, they hide the letter lists
    NameGridFeed* m_nameFeed = nullptr; // the employee letter list's rows, owned by its grid
};
