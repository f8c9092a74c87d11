// The main window's letter lists and incremental search.
#include "directory/TfrmMain.h"

#include "directory/FixedTabBar.h"
#include "directory/IncrementalSearch.h"
#include "directory/KeyHook.h"
#include "directory/LetterListDock.h"
#include "directory/LetterListFill.h"
#include "directory/NameGridFeed.h"
#include "directory/PageControl.h"
#include "directory/TfrmDataMod.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/modal/ModalPoint.h"
#include "platform/ui/Guard.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

// The lists' entries are chosen by a click, or by the keyboard once the list has the focus; the selection that a
// click moves is the click's, reported once.
bool choiceByKeyboard(const QWidget& list)
{
    return list.hasFocus() && QApplication::mouseButtons() == Qt::NoButton;
}

// Runs the filling of a letter list, then what must follow it however the filling ended: a list is shown with
// what it holds, and its query's notifications resume, also after an error part way.
template <typename Fill, typename Finish> void fillThenShow(const Fill& fill, const Finish& finish)
{
    try {
        fill();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

} // namespace

void TfrmMain::connectLetterLists()
{
    ui::connectGuarded(TabControlMain, &QTabBar::currentChanged, this, &TfrmMain::TabControlMainChange);
    ui::connectGuarded(TabControlMain, &FixedTabBar::mousePressed, this, &TfrmMain::TabControlMainMouseDown);

    ui::connectGuarded(StringGridEmployee, &QTableWidget::cellClicked, this, &TfrmMain::StringGridEmployeeClick);
    ui::connectGuarded(StringGridEmployee, &QTableWidget::currentCellChanged, this, [this] {
        if (choiceByKeyboard(*StringGridEmployee))
            StringGridEmployeeClick();
    });
    ui::connectGuarded(ListBoxDepartment, &QListWidget::itemClicked, this, &TfrmMain::ListBoxDepartmentClick);
    ui::connectGuarded(ListBoxDepartment, &QListWidget::currentRowChanged, this, [this] {
        if (choiceByKeyboard(*ListBoxDepartment))
            ListBoxDepartmentClick();
    });

    auto* const keyUp = new KeyHook(
        KeyHook::Kind::Release, [this](int key) { EditSearchFieldKeyUp(key); }, this); // owned by the window
    keyUp->watch(EditEmployeeSearch);
    keyUp->watch(EditDepartmentSearch);
}

void TfrmMain::ShowEmployeeLetterList()
{
    db::Query& query = *m_dataModule.QryEmployee;
    query.Close();
    query.ParamByName(QStringLiteral("LastFirstName"))
        .setAsString(LetterListFill::pattern(TabControlMain->currentIndex()));
    query.Open();
    query.DisableControls();
    fillThenShow(
        [&] {
            // The grid takes the query's count of rows at once and reads them as the user scrolls to them; a letter
            // without employees gives one empty row. The query stays open for the rows not read yet.
            query.First();
            const qint64 count = query.RecordCount();
            m_nameFeed->start(count, [&query](QString& nameText, QString& extensionText) {
                if (!query.Active() || query.Eof())
                    return false;
                nameText = query.FieldByName(QStringLiteral("Name")).AsString();
                extensionText = query.FieldByName(QStringLiteral("Extension")).AsString();
                query.Next();
                return true;
            });
        },
        [&] {
            PanelEmployeeDock->show();
            PanelEmployeeDock->raise();
            query.EnableControls();
        });
}

void TfrmMain::ShowDepartmentLetterList()
{
    db::Query& query = *m_dataModule.QryDepartment;
    // Prepared once, at the first fill, and kept for every letter of the run.
    if (!query.Prepared())
        query.Prepare();
    query.Close();
    query.ParamByName(QStringLiteral("DepartName"))
        .setAsString(LetterListFill::pattern(TabControlMain->currentIndex()));
    query.Open();
    query.DisableControls();
    fillThenShow(
        [&] {
            // Emptying and refilling the list is no choice of a department by the user.
            const QSignalBlocker quiet(ListBoxDepartment);
            ListBoxDepartment->clear();
            const db::Field& department = query.FieldByName(QStringLiteral("Department"));
            for (query.First(); !query.Eof(); query.Next())
                ListBoxDepartment->addItem(department.AsString());
        },
        [&] {
            PanelDepartmentDock->show();
            PanelDepartmentDock->raise();
            query.EnableControls();
        });
}

bool TfrmMain::pageTableOpen() const
{
    // A table that could not be opened said why when it failed; its list and its search do nothing until it opens,
    // rather than say it again at every letter and every key.
    if (m_unit.CurrentPage == mainPage::employee)
        return m_dataModule.TblEmployee1->Active();
    if (m_unit.CurrentPage == mainPage::department)
        return m_dataModule.TblDepartment->Active();
    return false;
}

void TfrmMain::TabControlMainChange()
{
    if (!pageTableOpen())
        return;
    if (m_unit.CurrentPage == mainPage::employee)
        ShowEmployeeLetterList();
    else if (m_unit.CurrentPage == mainPage::department)
        ShowDepartmentLetterList();
}

void TfrmMain::TabControlMainMouseDown()
{
    m_unit.CurrentPage = PageControlMain->currentIndex();
    if (!pageTableOpen())
        return;
    if (m_unit.CurrentPage == mainPage::employee) {
        if (m_unit.FirstEmployeeLetterClick) {
            m_unit.FirstEmployeeLetterClick = false;
            ShowEmployeeLetterList();
        } else {
            PanelEmployeeDock->show();
            PanelEmployeeDock->raise();
        }
    } else if (m_unit.CurrentPage == mainPage::department) {
        if (m_unit.FirstDepartmentLetterClick) {
            m_unit.FirstDepartmentLetterClick = false;
            ShowDepartmentLetterList();
        } else {
            PanelDepartmentDock->show();
            PanelDepartmentDock->raise();
        }
    }
}

void TfrmMain::StringGridEmployeeClick()
{
    // The first employee of that name in the name order; the extension beside it plays no part.
    const int row = std::max(StringGridEmployee->currentRow(), 0);
    m_nameFeed->readThrough(row);
    const QTableWidgetItem* const cell = StringGridEmployee->item(row, 0);
    m_dataModule.TblEmployee1->Locate(QStringLiteral("Name"), cell ? cell->text() : QString());
}

void TfrmMain::ListBoxDepartmentClick()
{
    PanelDepartmentDock->hide();
    const QListWidgetItem* const item = ListBoxDepartment->currentItem();
    m_dataModule.TblDepartment->Locate(QStringLiteral("Department"), item ? item->text() : QString());
    m_unit.SearchText.clear();
    EditDepartmentSearch->clear();
}

void TfrmMain::EditSearchFieldKeyUp(int key)
{
    QLineEdit* field = nullptr;
    db::Table* table = nullptr;
    QString fieldName;
    if (m_unit.CurrentPage == mainPage::employee) {
        field = EditEmployeeSearch;
        table = m_dataModule.TblEmployee1;
        fieldName = QStringLiteral("Name");
    } else if (m_unit.CurrentPage == mainPage::department) {
        field = EditDepartmentSearch;
        table = m_dataModule.TblDepartment;
        fieldName = QStringLiteral("Department");
    } else {
        return;
    }

    if (IncrementalSearch::releaseKey(key, field->text(), m_unit.SearchText))
        field->clear();
    if (!pageTableOpen())
        return;
    // No match leaves the record where it is, silently; only a failing look-up says anything.
    if (IncrementalSearch(*table, fieldName).lookUp(m_unit.SearchText) == IncrementalSearch::Outcome::Failed)
        modal::ModalPoint::message(
            QStringLiteral("Not Found"), modal::MessageKind::Information, modal::MessageButton::OK, this);
}
