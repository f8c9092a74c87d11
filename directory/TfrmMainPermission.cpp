// The main window's edit permission: the password prompt, the gate of the commands that change the directory,
// the password change, what granting the permission switches on, and the typing guards.
#include "directory/TfrmMain.h"

#include "directory/KeyHook.h"
#include "directory/LetterListDock.h"
#include "directory/NavigatorButtons.h"
#include "directory/TPasswordDlg.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmImportAscii.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/Guard.h"
#include "platform/modal/ModalPoint.h"
#include "platform/ui/VirtualKey.h"

#include <QAction>

namespace {

constexpr QLatin1StringView notAllowed { "Editing is not allowed without a password." };

bool closesList(int key)
{
    return key == ui::keyCode::escape || key == ui::keyCode::enter;
}

} // namespace

void TfrmMain::connectPermission()
{
    ui::connectGuarded(AddModify1, &QAction::triggered, this, &TfrmMain::AddModify1Click);
    ui::connectGuarded(EnterPassword1, &QAction::triggered, this, &TfrmMain::AddModify1Click);
    ui::connectGuarded(AddModifyDepartment1, &QAction::triggered, this, &TfrmMain::AddModifyDepartment1Click);
    ui::connectGuarded(ImportRecord1, &QAction::triggered, this, &TfrmMain::ImportRecord1Click);
    ui::connectGuarded(ChangePassword1, &QAction::triggered, this, &TfrmMain::ChangePassword1Click);

    // The hooks are owned by the window.
    auto* const employeeKeys = new KeyHook(
        KeyHook::Kind::Press, [this](int key) { EmployeeKeyPress(key); }, this);
    for (QWidget* const control : std::initializer_list<QWidget*> { DBEditName, DBEditExtension, DBEditBeeper,
             DBEditCellularPhone, DBEditHomePhone, DBEditEMail, DBEditTitle, DBEditEmployeeDepartment, DBGridEmployee })
        employeeKeys->watch(control);
    auto* const departmentKeys = new KeyHook(
        KeyHook::Kind::Press, [this](int key) { DepartmentKeyPress(key); }, this);
    for (QWidget* const control : std::initializer_list<QWidget*> {
             DBEditDepartment, DBEditMainExtension, DBEditFaxNumber, DBEditLocationLine1, DBEditLocationLine2 })
        departmentKeys->watch(control);
    (new KeyHook(
         KeyHook::Kind::Press, [this](int key) { DBGridEmployee2KeyPress(key); }, this))
        ->watch(DBGridEmployee2);
}

void TfrmMain::AddModify1Click()
{
    if (m_unit.EditAllowed) {
        modal::ModalPoint::message(QStringLiteral("You already have a permission to add/modify a record."),
            modal::MessageKind::Information, modal::MessageButton::OK, this);
        return;
    }
    {
        TPasswordDlg dialog(*this, m_dataModule);
        dialog.ShowEnterPassword(TPasswordDlg::enterMode);
    }
    if (m_unit.EditAllowed) {
        modal::ModalPoint::message(QStringLiteral("You are now allowed to add/modify a record."),
            modal::MessageKind::Information, modal::MessageButton::OK, this);
    }
}

bool TfrmMain::passEditGate()
{
    if (!m_unit.EditAllowed)
        AddModify1Click();
    return m_unit.EditAllowed;
}

void TfrmMain::AddModifyDepartment1Click()
{
    if (!passEditGate())
        return;
    if (runDepartmentEditor())
        m_dataModule.TblDepartment->Refresh(); // the department page shows the departments as edited
}

void TfrmMain::ImportRecord1Click()
{
    if (passEditGate())
        openImport();
}

void TfrmMain::openImport()
{
    TfrmImportAscii dialog(m_dataModule, m_programFolder, this);
    modal::ModalPoint::runModal(dialog);
}

void TfrmMain::ChangePassword1Click()
{
    TPasswordDlg dialog(*this, m_dataModule);
    dialog.ShowChangePassword(TPasswordDlg::changeMode);
}

void TfrmMain::EnableEditing()
{
    if (!m_dataModule.TblDepartment->Active()) {
        m_dataModule.TblDepartment->Open(); // it also lists the department chooser's names
        m_dataModule.TblEmployee2->Open();
    }
    DBLookupCombo1->show();
    DBEditEmployeeDepartment->hide();
    m_unit.EditAllowed = true;
    m_dataModule.SrcEmployee1->setAutoEdit(true); // typing in an employee edit now edits the employee
    if (m_unit.CurrentPage == mainPage::employee)
        setNavigatorButtons(navigatorButtons::employeeEdit, navigatorButtons::employeeEditWidth);
    else if (m_unit.CurrentPage == mainPage::department)
        setNavigatorButtons(navigatorButtons::departmentEdit, navigatorButtons::departmentEditWidth);
}

// The guards only inform: the controls themselves refuse the change while their data source does not edit on
// typing.
void TfrmMain::EmployeeKeyPress(int key)
{
    if (m_unit.EditAllowed)
        return;
    if (closesList(key))
        PanelEmployeeDock->hide();
    else
        modal::ModalPoint::message(
            QString(notAllowed), modal::MessageKind::Information, modal::MessageButton::OK, this);
}

void TfrmMain::DepartmentKeyPress(int key)
{
    if (m_unit.EditAllowed) {
        modal::ModalPoint::message(QStringLiteral("Please use the Insert or Edit button or Add/Modify Department menu "
                                                  "item to add, delete, or modify a department record."),
            modal::MessageKind::Information, modal::MessageButton::OK, this);
    } else if (closesList(key)) {
        PanelDepartmentDock->hide();
    } else {
        modal::ModalPoint::message(
            QString(notAllowed), modal::MessageKind::Information, modal::MessageButton::OK, this);
    }
}

void TfrmMain::DBGridEmployee2KeyPress(int key)
{
    if (m_unit.EditAllowed) {
        modal::ModalPoint::message(QStringLiteral("Please use the left sheet to add or edit an employee."),
            modal::MessageKind::Information, modal::MessageButton::OK, this);
    } else if (closesList(key)) {
        PanelEmployeeDock->hide();
    } else {
        modal::ModalPoint::message(
            QString(notAllowed), modal::MessageKind::Information, modal::MessageButton::OK, this);
    }
}
