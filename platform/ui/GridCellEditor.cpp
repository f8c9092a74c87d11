#include "platform/ui/GridCellEditor.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/ui/EditKeys.h"
#include "platform/ui/Guard.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace ui {

namespace {

constexpr int unlimitedLength = 32767;

bool isEditingState(db::DataSetState state)
{
    return state == db::DataSetState::Edit || state == db::DataSetState::Insert;
}

} // namespace

GridCellEditor::GridCellEditor(
    QAbstractScrollArea& grid, std::function<db::Field*()> field, std::function<bool()> mayChange)
    : m_grid(grid)
    , m_field(std::move(field))
    , m_mayChange(std::move(mayChange))
{
}

QLineEdit* GridCellEditor::lineEdit() const
{
    return m_lineEdit;
}

bool GridCellEditor::isOpen() const
{
    return m_lineEdit && m_lineEdit->isVisible();
}

bool GridCellEditor::hasFocus() const
{
    return m_lineEdit && m_lineEdit->hasFocus();
}

void GridCellEditor::open(const QRect& cell, const QString* typed)
{
    const db::Field* const field = m_field();
    if (!field) {
        return;
    }
    if (!m_lineEdit) {
        m_lineEdit = new QLineEdit(m_grid.viewport()); // owned by the viewport
        m_lineEdit->setObjectName(QStringLiteral("InplaceEditor"));
        m_lineEdit->setFrame(false);
        m_lineEdit->hide();
        m_lineEdit->installEventFilter(this);
        connect(m_lineEdit, &QLineEdit::textEdited, this, &GridCellEditor::onEdited);
    }
    m_original = field->AsString();
    m_lineEdit->setMaxLength(
        field->DataType() == db::FieldType::Alpha && field->Size() > 0 ? field->Size() : unlimitedLength);
    m_lineEdit->setText(typed ? *typed : m_original);
    // Placed before it shows: a widget shown first would stand at the viewport's corner until the next layout.
    m_lineEdit->setGeometry(cell.adjusted(1, 1, -1, -1));
    m_lineEdit->show();
    m_lineEdit->setFocus(Qt::OtherFocusReason);
    if (typed) {
        onEdited(m_lineEdit->text());
    } else {
        m_lineEdit->selectAll();
    }
}

void GridCellEditor::close(bool restore)
{
    if (!isOpen()) {
        return;
    }
    if (restore) {
        db::Field* const field = m_field();
        if (field && isEditingState(field->dataSet().State()) && field->AsString() != m_original) {
            guarded([&] { field->setAsString(m_original); });
        }
    }
    if (m_lineEdit->hasFocus()) {
        m_grid.setFocus(Qt::OtherFocusReason); // before hiding, or Qt would hand the focus to the next control
    }
    m_lineEdit->hide();
}

void GridCellEditor::place(const QRect& cell)
{
    if (!isOpen()) {
        return;
    }
    if (cell.isEmpty()) {
        close(false);
        return;
    }
    m_lineEdit->setGeometry(cell.adjusted(1, 1, -1, -1));
}

void GridCellEditor::sync()
{
    if (!isOpen()) {
        return;
    }
    const db::Field* const field = m_field();
    const QString value = field ? field->AsString() : QString();
    if (m_lineEdit->text() != value) {
        m_original = value;
        m_lineEdit->setText(value);
        m_lineEdit->selectAll();
    }
}

void GridCellEditor::takeKey(QKeyEvent* event)
{
    m_lineEdit->setFocus(Qt::OtherFocusReason);
    QApplication::sendEvent(m_lineEdit, event);
}

void GridCellEditor::takeInput(QInputMethodEvent* event)
{
    QApplication::sendEvent(m_lineEdit, event);
}

void GridCellEditor::onEdited(const QString& text)
{
    if (!m_mayChange()) {
        m_lineEdit->setText(m_original);
        return;
    }
    db::Field* const field = m_field();
    if (!field || field->AsString() == text) {
        return;
    }
    guarded([&] { field->setAsString(text); });
}

bool GridCellEditor::handleKey(QKeyEvent* event)
{
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    bool forGrid = isTabKey(*event);
    switch (event->key()) {
    case Qt::Key_Escape:
        close(true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close(false);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        forGrid = true;
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete:
        // With Ctrl: the first or last row, or the row's deletion, nothing the cell's text has a use for.
        forGrid = control;
        break;
    default:
        break;
    }
    if (forGrid) {
        close(false);
        emit gridKeyPressed(event);
        return true;
    }
    return changesText(*event, false) && !m_mayChange(); // a refused change: the cell keeps its value
}

bool GridCellEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_lineEdit || watched != m_lineEdit) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* const key = static_cast<QKeyEvent*>(event);
        if (!handleKey(key)) {
            // Ends here, whether the line edit takes it or not: handed on, it would reach the grid, which gives an
            // open cell's keys back to the cell.
            watched->event(key);
            key->accept();
        }
        return true;
    }
    case QEvent::FocusIn:
        emit focusEntered();
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && QApplication::focusWidget() != &m_grid) {
            emit focusLeft();
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
