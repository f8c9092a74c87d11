#include "directory/TfrmMain.h"

#include "common/DirectoryDatabase.h"
#include "common/MakerNames.h"
#include "common/TAboutBox.h"
#include "directory/LetterListDock.h"
#include "directory/NavigatorButtons.h"
#include "directory/PageControl.h"
#include "common/ProgramLinks.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmEditMaster.h"
#include "platform/db/DataSource.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/os/Desktop.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/PrinterSetupDialog.h"
#include "platform/os/SettingsStore.h"
#include "platform/os/Shell.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/Guard.h"
#include "platform/modal/ModalPoint.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableWidget>

#include <algorithm>
#include <exception>

namespace {

// Where the last chosen dial prefix is remembered.
constexpr QLatin1StringView settingsRoot { "HKEY_LOCAL_MACHINE" };
constexpr QLatin1StringView ProductSettingsKey { "Software\\Brenwick Software\\Ringfolio 2.5" };
constexpr QLatin1StringView VersionSection { "2.5" };
constexpr QLatin1StringView specialCharValue { "Special Char" };

// The chooser lies under the prefix label of the page shown.
constexpr QPoint employeePrefixPlace { 82, 124 };
constexpr QPoint departmentPrefixPlace { 402, 300 };

// A click on a widget's own area: not on one of its children, which have handlers of their own or none.
bool isOwnClick(const QWidget& widget, const QMouseEvent& event)
{
    const QPoint position = event.position().toPoint();
    return event.button() == Qt::LeftButton && widget.rect().contains(position) && !widget.childAt(position);
}

} // namespace

TfrmMain::~TfrmMain()
{
    ui::guarded([this] { FormDestroy(); });
}

void TfrmMain::FormCreate()
{
    // The saved prefix is read even when an earlier step fails: the close writes the chooser's value back, and a run
    // that had not read it would wipe the prefix the user chose.
    std::exception_ptr failure;
    try {
        db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
        m_unit.FirstEmployeeLetterClick = true;
        m_unit.FirstDepartmentLetterClick = true;
        m_dataModule.TblEmployee1->Open();
        m_dataModule.TblSpecial->Open();
        if (ui::Application* const application = ui::Application::instance())
            application->setShowHint(true);
        UpdateRecordMenu();
        m_unit.CurrentPage = PageControlMain->currentIndex();
        m_unit.SearchText.clear();
        // The window opens where a page switch leaves the user: typing searches, it does not edit a record.
        EditEmployeeSearch->setFocus();
    } catch (...) {
        failure = std::current_exception();
    }
    readSpecialPrefix();
    if (failure)
        std::rethrow_exception(failure);
}

void TfrmMain::readSpecialPrefix()
{
    // A store that cannot be read gives the empty prefix.
    const os::SettingsStore settings(settingsRoot, ProductSettingsKey);
    SpecialPrefix = settings.readString(VersionSection, specialCharValue);
    DBLookupComboBox1->setKeyValue(SpecialPrefix.isEmpty() ? QVariant() : QVariant(SpecialPrefix));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    ui::guarded([this] { FormClose(); });
    QMainWindow::closeEvent(event);
}

void TfrmMain::FormClose()
{
    db::Session::defaultSession().RemovePassword(DirectoryDatabase::TablePassword);
    QuitCompanion();
    const QVariant chosen = DBLookupComboBox1->KeyValue();
    const QString prefix = chosen.isNull() ? QString() : chosen.toString();
    // A store that refuses the write loses the choice; the close goes on.
    const os::SettingsStore settings(settingsRoot, ProductSettingsKey);
    settings.writeString(VersionSection, specialCharValue, prefix);
}

void TfrmMain::FormDestroy()
{
    m_help.quit();
}

void TfrmMain::PrinterSetup1Click()
{
    // The directory prints nothing itself: the choice waits on the program's printer.
    os::PrinterSetupDialog dialog(m_printer.printer(), this);
    dialog.setObjectName(QStringLiteral("PrinterSetup"));
    modal::ModalPoint::runModal(dialog);
}

void TfrmMain::PrintListing1Click()
{
    GoToCompanion();
}

void TfrmMain::Exit1Click()
{
    close();
}

void TfrmMain::Content1Click()
{
    const ui::Application* const application = ui::Application::instance();
    m_help.showContents(application ? application->HelpFile() : QString(ProgramLinks::DirectoryHelpFile));
}

void TfrmMain::BrenwickHomePage1Click()
{
    os::navigateTo(MakerNames::HomePageAddress);
}

void TfrmMain::About1Click()
{
    // Freed when it closes, also when an error ends the handler while it shows.
    TAboutBox aboutBox(this, &m_windows);
    aboutBox.OKButton->setVisible(true);
    aboutBox.setWindowTitle(QStringLiteral("About Ringfolio"));
    modal::ModalPoint::runModal(aboutBox);
}

void TfrmMain::GoToCompanion()
{
    if (const auto companion = m_windows.findWindow(ProgramLinks::CompanionWindowCaption)) {
        m_windows.bringWindowToTop(*companion);
        return;
    }
    // When it cannot be started, nothing is said.
    os::shellOpen(ProgramLinks::CompanionProgramFile, ProgramLinks::LaunchToken, m_programFolder);
}

void TfrmMain::QuitCompanion()
{
    if (const auto companion = m_windows.findWindow(ProgramLinks::CompanionWindowCaption))
        m_windows.postQuit(*companion);
}

void TfrmMain::UpdateRecordMenu()
{
    const db::DataSource* const source = DBNavigator1->DataSource();
    const db::DataSet* const dataSet = source ? source->DataSet() : nullptr;
    const bool atEnd = !dataSet || dataSet->Eof();
    const bool atStart = !dataSet || dataSet->Bof();
    Next1->setEnabled(!atEnd);
    Last1->setEnabled(!atEnd);
    First1->setEnabled(!atStart);
    Previous1->setEnabled(!atStart);
}

void TfrmMain::setNavigatorButtons(int buttons, int width)
{
    DBNavigator1->setVisibleButtons(buttons);
    DBNavigator1->setWidth(width);
}

void TfrmMain::PageControlMainChange()
{
    m_unit.SearchText.clear();
    EditEmployeeSearch->clear();
    EditDepartmentSearch->clear();
    m_unit.CurrentPage = PageControlMain->currentIndex();

    if (m_unit.CurrentPage == mainPage::employee) {
        PanelEmployee1->show();
        PanelEmployee2->show();
        PanelEmployeeDock->hide();
        PanelDepartmentDock->hide();
        PanelDepartment1->hide();
        DBGridEmployee->hide();
        DBLookupComboBox1->move(employeePrefixPlace);
        DBNavigator1->setDataSource(m_dataModule.SrcEmployee1);
        if (m_unit.EditAllowed)
            setNavigatorButtons(navigatorButtons::employeeEdit, navigatorButtons::employeeEditWidth);
        EditEmployeeSearch->setFocus();
    } else if (m_unit.CurrentPage == mainPage::department) {
        PanelDepartment1->show();
        DBGridEmployee->show();
        PanelEmployee1->hide();
        PanelEmployee2->hide();
        PanelDepartmentDock->hide();
        PanelEmployeeDock->hide();
        DBLookupComboBox1->move(departmentPrefixPlace);
        DBNavigator1->setDataSource(m_dataModule.SrcDepartment);
        if (!m_dataModule.TblDepartment->Active()) {
            m_dataModule.TblDepartment->Open();
            m_dataModule.TblEmployee2->Open();
        }
        if (m_unit.EditAllowed)
            setNavigatorButtons(navigatorButtons::departmentEdit, navigatorButtons::departmentEditWidth);
        EditDepartmentSearch->setFocus();
    }
    UpdateRecordMenu();
}

void TfrmMain::DBNavigator1Click(ui::DBNavigator::Button button)
{
    UpdateRecordMenu();
    if (button != ui::DBNavigator::Button::Insert && button != ui::DBNavigator::Button::Edit)
        return;
    if (m_unit.CurrentPage == mainPage::employee) {
        DBEditName->setFocus();
    } else if (m_unit.CurrentPage == mainPage::department && DBNavigator1->DataSource() == m_dataModule.SrcDepartment) {
        // Departments are added and changed in the department editor, so the insert or edit that the button began
        // here holds nothing: it is dropped whatever the editor's result.
        const bool edited = runDepartmentEditor();
        m_dataModule.TblDepartment->Cancel();
        if (edited)
            m_dataModule.TblDepartment->Refresh();
    }
}

bool TfrmMain::runDepartmentEditor()
{
    // Freed on every way out, an error included.
    TfrmEditMaster editor(m_dataModule, this);
    return editor.EditDepartments() == TfrmEditMaster::mrOK;
}

void TfrmMain::First1Click()
{
    DBNavigator1->BtnClick(ui::DBNavigator::Button::First);
}

void TfrmMain::Previous1Click()
{
    DBNavigator1->BtnClick(ui::DBNavigator::Button::Prior);
}

void TfrmMain::Next1Click()
{
    DBNavigator1->BtnClick(ui::DBNavigator::Button::Next);
}

void TfrmMain::Last1Click()
{
    DBNavigator1->BtnClick(ui::DBNavigator::Button::Last);
}

void TfrmMain::DBGridEmployeeEnter()
{
    if (!m_unit.EditAllowed)
        return;
    DBNavigator1->setDataSource(m_dataModule.SrcEmployee2);
    setNavigatorButtons(navigatorButtons::employeeEdit, navigatorButtons::employeeEditWidth);
    m_dataModule.SrcEmployee2->setAutoEdit(true);
    ui::DBGrid::Options options = DBGridEmployee->options();
    options.setFlag(ui::DBGrid::Option::RowSelect, false);
    options.setFlag(ui::DBGrid::Option::AlwaysShowSelection, false);
    options.setFlag(ui::DBGrid::Option::Editing, true);
    DBGridEmployee->setOptions(options);
}

void TfrmMain::DBGridEmployeeExit()
{
    // Leaving the grid by a page switch changes nothing: the switch has set the navigator.
    if (!m_unit.EditAllowed || m_unit.CurrentPage != mainPage::department)
        return;
    DBNavigator1->setDataSource(m_dataModule.SrcDepartment);
    setNavigatorButtons(navigatorButtons::departmentEdit, navigatorButtons::departmentEditWidth);
}

void TfrmMain::HideListBoxes()
{
    PanelEmployeeDock->hide();
    PanelDepartmentDock->hide();
}

void TfrmMain::DBGridEmployeeCellClick()
{
    HideListBoxes();
}

void TfrmMain::DBGridEmployee2CellClick()
{
    HideListBoxes();
}

void TfrmMain::TabSheetEmployeeMouseDown()
{
    PanelEmployeeDock->hide();
}

void TfrmMain::TabSheetDepartmentMouseDown()
{
    PanelDepartmentDock->hide();
}

void TfrmMain::StringGridEmployeeDblClick()
{
    // The click before it has already chosen the entry.
    PanelEmployeeDock->hide();
}

void TfrmMain::PanelEmployeeCanResize(int W, int H)
{
    const int columnWidth = W / 2;
    StringGridEmployee->horizontalHeader()->setDefaultSectionSize(columnWidth);
    for (int column = 0; column < StringGridEmployee->columnCount(); ++column)
        StringGridEmployee->setColumnWidth(column, columnWidth);
    StringGridEmployee->resize(W - 17, H - 19);
}

void TfrmMain::PanelDepartmentCanResize(int W, int H)
{
    ListBoxDepartment->resize(W - 17, H - 19);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize: {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        if (watched == ClientArea)
            placeComponents();
        else if (watched == PanelEmployee)
            ui::guarded([&] { PanelEmployeeCanResize(size.width(), size.height()); });
        else if (watched == PanelDepartment)
            ui::guarded([&] { PanelDepartmentCanResize(size.width(), size.height()); });
        break;
    }
    case QEvent::MouseButtonPress:
        if (watched == TabSheetEmployee)
            ui::guarded([this] { TabSheetEmployeeMouseDown(); });
        else if (watched == TabSheetDepartment)
            ui::guarded([this] { TabSheetDepartmentMouseDown(); });
        break;
    case QEvent::MouseButtonRelease: {
        auto* const widget = qobject_cast<QWidget*>(watched);
        if (widget
            && std::find(m_listHidingWidgets.begin(), m_listHidingWidgets.end(), widget) != m_listHidingWidgets.end()
            && isOwnClick(*widget, *static_cast<QMouseEvent*>(event)))
            ui::guarded([this] { HideListBoxes(); });
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == StringGridEmployee->viewport())
            ui::guarded([this] { StringGridEmployeeDblClick(); });
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
