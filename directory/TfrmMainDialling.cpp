// The main window's dialling: the double-click handlers of the seven number controls, the dial itself, the
// prefix chooser and the special-number editor.
#include "directory/TfrmMain.h"

#include "directory/CallRequest.h"
#include "directory/DialText.h"
#include "directory/TFrmSpecial.h"
#include "directory/TfrmCallParty.h"
#include "directory/TfrmDataMod.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/Guard.h"
#include "platform/modal/ModalPoint.h"

#include <QAction>
#include <QShortcut>

namespace {

// The current row's value of the field that a grid shows in the given column (counted from 0); empty when the
// grid has no such column or no row.
QString gridColumnText(const ui::DBGrid& grid, int column)
{
    const db::DataSource* const source = grid.DataSource();
    const db::DataSet* const dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet)
        return {};
    const QList<ui::DBGridColumn>& columns = grid.Columns();
    if (!columns.isEmpty()) {
        const db::Field* const field
            = column < columns.size() ? dataSet->FindField(columns.at(column).fieldName) : nullptr;
        return field ? field->AsString() : QString();
    }
    // Without columns of its own the grid shows the visible fields in their order.
    int shown = 0;
    for (int index = 0; index < dataSet->FieldCount(); ++index) {
        const db::Field& field = dataSet->fieldAt(index);
        if (field.Visible() && shown++ == column)
            return field.AsString();
    }
    return {};
}

QString fieldText(const db::DataSet& dataSet, const char* fieldName)
{
    return dataSet.FieldByName(QLatin1String(fieldName)).AsString();
}

} // namespace

void TfrmMain::connectDialling()
{
    ui::connectGuarded(DBEditExtension, &ui::DBEdit::doubleClicked, this, &TfrmMain::DBEditExtensionDblClick);
    ui::connectGuarded(DBEditBeeper, &ui::DBEdit::doubleClicked, this, &TfrmMain::DBEditBeeperDblClick);
    ui::connectGuarded(DBEditCellularPhone, &ui::DBEdit::doubleClicked, this, &TfrmMain::DBEditCellularPhoneDblClick);
    ui::connectGuarded(DBEditHomePhone, &ui::DBEdit::doubleClicked, this, &TfrmMain::DBEditHomePhoneDblClick);
    ui::connectGuarded(DBGridEmployee2, &ui::DBGrid::doubleClicked, this, &TfrmMain::DBGridEmployee2DblClick);
    ui::connectGuarded(DBGridEmployee, &ui::DBGrid::doubleClicked, this, &TfrmMain::DBGridEmployeeDblClick);
    ui::connectGuarded(DBEditMainExtension, &ui::DBEdit::doubleClicked, this, &TfrmMain::DBEditMainExtensionDblClick);

    ui::connectGuarded(DBLookupComboBox1, &ui::DBLookupComboBox::closeUp, this, &TfrmMain::DBLookupComboBox1CloseUp);
    // A row chosen with the list closed (arrow keys, typed letters, the wheel) is in force at once, so that the
    // prefix shown is always the prefix dialled.
    ui::connectGuarded(DBLookupComboBox1, &QComboBox::activated, this, &TfrmMain::takePrefixFromChooser);
    // The way back to dialling without a prefix: Delete or Backspace empties the chooser.
    for (const Qt::Key key : { Qt::Key_Delete, Qt::Key_Backspace }) {
        auto* const shortcut = new QShortcut(QKeySequence(key), DBLookupComboBox1); // owned by the chooser
        shortcut->setContext(Qt::WidgetShortcut);
        ui::connectGuarded(shortcut, &QShortcut::activated, this, &TfrmMain::clearPrefix);
    }

    ui::connectGuarded(SpecialNumber1, &QAction::triggered, this, &TfrmMain::SpecialNumber1Click);
}

void TfrmMain::dialIfAny(const QString& name, const QString& number)
{
    // Nothing is trimmed: a value of blanks is a number, and its clean-up leaves the prefix alone.
    if (number.isEmpty()) {
        modal::ModalPoint::message(QStringLiteral("There is no number to dial."), modal::MessageKind::Information,
            modal::MessageButton::OK, this);
        return;
    }
    DialNumber(name, number);
}

void TfrmMain::DialNumber(const QString& name, const QString& number)
{
    const QString upper = DialText::upperCase(number);
    const QString comment = CallRequest::commentFor(name);
    if (DialText::holdsSeveralNumbers(upper)) {
        // The handset prompt comes with each dial from the chooser. The chooser is freed however it ends.
        TfrmCallParty chooser(SpecialPrefix, this);
        chooser.NumberText = upper;
        chooser.CalledParty = name;
        chooser.Comment = comment;
        chooser.SplitNumbers();
        modal::ModalPoint::runModal(chooser);
        return;
    }
    if (!CallRequest::handsetReady(this))
        return;
    // The prefix goes in front after the clean-up: a prefix such as *70 keeps its "*".
    CallRequest::place(SpecialPrefix + DialText::cleaned(upper), name, comment);
}

void TfrmMain::DBEditExtensionDblClick()
{
    const db::Table& employees = *m_dataModule.TblEmployee1;
    dialIfAny(fieldText(employees, "Name"), fieldText(employees, "Extension"));
}

void TfrmMain::DBEditBeeperDblClick()
{
    const db::Table& employees = *m_dataModule.TblEmployee1;
    dialIfAny(fieldText(employees, "Name"), fieldText(employees, "Pager"));
}

void TfrmMain::DBEditCellularPhoneDblClick()
{
    const db::Table& employees = *m_dataModule.TblEmployee1;
    dialIfAny(fieldText(employees, "Name"), fieldText(employees, "Cellular"));
}

void TfrmMain::DBEditHomePhoneDblClick()
{
    const db::Table& employees = *m_dataModule.TblEmployee1;
    dialIfAny(fieldText(employees, "Name"), fieldText(employees, "HomePhone"));
}

void TfrmMain::DBGridEmployee2DblClick()
{
    // The grid's rows are the employee page's rows, so the name is the current employee's.
    dialIfAny(fieldText(*m_dataModule.TblEmployee1, "Name"), gridColumnText(*DBGridEmployee2, 1));
}

void TfrmMain::DBGridEmployeeDblClick()
{
    dialIfAny(gridColumnText(*DBGridEmployee, 0), gridColumnText(*DBGridEmployee, 1));
}

void TfrmMain::DBEditMainExtensionDblClick()
{
    const db::Table& departments = *m_dataModule.TblDepartment;
    dialIfAny(fieldText(departments, "Department"), fieldText(departments, "MainExtension"));
}

void TfrmMain::DBLookupComboBox1CloseUp()
{
    // Picked or dismissed, the prefix is the chooser's value once the list has closed.
    takePrefixFromChooser();
}

void TfrmMain::takePrefixFromChooser()
{
    const QVariant chosen = DBLookupComboBox1->KeyValue();
    SpecialPrefix = chosen.isNull() ? QString() : chosen.toString();
}

void TfrmMain::clearPrefix()
{
    DBLookupComboBox1->setKeyValue(QVariant());
    takePrefixFromChooser();
}

void TfrmMain::SpecialNumber1Click()
{
    // Changing the dial prefixes needs the edit permission.
    if (passEditGate())
        openSpecialNumbers();
}

void TfrmMain::openSpecialNumbers()
{
    TFrmSpecial dialog(m_dataModule, this);
    modal::ModalPoint::runModal(dialog);
}
