#include "platform/ui/DBGrid.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/ui/EditKeys.h"
#include "platform/ui/Guard.h"
#include "platform/ui/RecordDeletion.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <optional>
#include <utility>

namespace ui {

namespace {

constexpr int defaultColumnWidth = 64;
constexpr int cellPadding = 2;
constexpr int indicatorColumnWidth = 12;

bool isEditingState(db::DataSetState state)
{
    return state == db::DataSetState::Edit || state == db::DataSetState::Insert;
}

bool tabsForward(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Tab && !event.modifiers().testFlag(Qt::ShiftModifier);
}

} // namespace

DBGrid::DBGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_options(Option::Editing | Option::Titles | Option::ColLines | Option::RowLines | Option::Tabs
          | Option::ConfirmDelete | Option::CancelOnExit | Option::Indicator)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &DBGrid::onScrollAction);
    connect(&m_cellEditor, &GridCellEditor::gridKeyPressed, this, &DBGrid::onEditorKey);
    connect(&m_cellEditor, &GridCellEditor::focusEntered, this, &DBGrid::focusArrived);
    connect(&m_cellEditor, &GridCellEditor::focusLeft, this, &DBGrid::focusLeft);
    updateScrollBars();
}

DBGrid::~DBGrid() = default;

void DBGrid::setDataSource(db::DataSource* source)
{
    if (m_source == source) {
        return;
    }
    if (m_source) {
        disconnect(m_source, nullptr, this, nullptr);
    }
    m_cellEditor.close(false);
    m_source = source;
    m_thumb.forget();
    if (source) {
        connect(source, &db::DataSource::dataSetChanged, this, [this] {
            m_thumb.forget();
            resolveColumns();
            showFirstColumn();
            reload(0);
        });
        connect(source, &db::DataSource::stateChanged, this, &DBGrid::onStateChanged);
        connect(source, &db::DataSource::scrolled, this, &DBGrid::onScrolled);
        connect(source, &db::DataSource::dataChanged, this, &DBGrid::onDataChanged);
        connect(source, &db::DataSource::fieldChanged, this, &DBGrid::onFieldChanged);
        connect(source, &QObject::destroyed, this, &DBGrid::onStateChanged);
    }
    resolveColumns();
    showFirstColumn();
    reload(0);
}

void DBGrid::setOptions(Options options)
{
    m_options = options;
    if (!canEditCells()) {
        m_cellEditor.close(false);
    }
    setAttribute(Qt::WA_InputMethodEnabled, canEditCells());
    fitColumns();
    reload(currentRow());
}

void DBGrid::setColumns(const QList<DBGridColumn>& columns)
{
    m_columns = columns;
    resolveColumns();
    placeEditor();
    viewport()->update();
}

void DBGrid::setTitleColor(const QColor& color)
{
    m_titleColor = color;
    viewport()->update();
}

QString DBGrid::columnTitle(int column) const
{
    return column >= 0 && column < columnCount() ? m_shownColumns.at(static_cast<size_t>(column)).title : QString();
}

int DBGrid::columnWidth(int column) const
{
    if (column < 0 || column >= columnCount()) {
        return 0;
    }
    const int extra = column == columnCount() - 1 ? m_lastColumnExtra : 0;
    return m_shownColumns.at(static_cast<size_t>(column)).width + extra;
}

int DBGrid::indicatorWidth() const
{
    return m_options.testFlag(Option::Indicator) ? indicatorColumnWidth : 0;
}

db::DataSet* DBGrid::activeDataSet() const
{
    if (!m_source || m_source->State() == db::DataSetState::Inactive) {
        return nullptr;
    }
    return m_source->DataSet();
}

db::Field* DBGrid::columnField(int column) const
{
    const db::DataSet* const dataSet = activeDataSet();
    if (!dataSet || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    return dataSet->FindField(m_shownColumns.at(static_cast<size_t>(column)).fieldName);
}

int DBGrid::rowHeight() const
{
    return fontMetrics().height() + 4;
}

int DBGrid::titleHeight() const
{
    return m_options.testFlag(Option::Titles) ? rowHeight() : 0;
}

int DBGrid::visibleRowCount() const
{
    return std::max(1, (viewport()->height() - titleHeight()) / rowHeight());
}

int DBGrid::columnLeft(int column) const
{
    int left = indicatorWidth();
    for (int index = 0; index < column && index < columnCount(); ++index) {
        left += columnWidth(index);
    }
    return left;
}

int DBGrid::totalWidth() const
{
    return columnLeft(columnCount());
}

QRect DBGrid::cellRect(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return {};
    }
    return QRect(columnLeft(column) - horizontalScrollBar()->value(), titleHeight() + row * rowHeight(),
        columnWidth(column), rowHeight());
}

int DBGrid::rowAt(int y) const
{
    const int top = titleHeight();
    if (y < top) {
        return -1;
    }
    const int row = (y - top) / rowHeight();
    return row < rowCount() ? row : -1;
}

int DBGrid::columnAt(int x) const
{
    const int contentX = x + horizontalScrollBar()->value();
    for (int column = 0; column < columnCount(); ++column) {
        const int left = columnLeft(column);
        if (contentX >= left && contentX < left + columnWidth(column)) {
            return column;
        }
    }
    return -1;
}

QString DBGrid::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return {};
    }
    const int valueIndex = m_shownColumns.at(static_cast<size_t>(column)).valueIndex;
    const QVariantList& values = m_window.row(row).values;
    return valueIndex >= 0 && valueIndex < values.size() ? values.at(valueIndex).toString() : QString();
}

void DBGrid::resolveColumns()
{
    m_shownColumns.clear();
    const db::DataSet* const dataSet = activeDataSet();
    const QFontMetrics metrics = fontMetrics();
    const int digitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const auto add = [&](const DBGridColumn& column) {
        const QString& fieldName = column.fieldName;
        ShownColumn shown { fieldName, column.title, column.width, column.titleAlignment,
            Qt::AlignLeft | Qt::AlignVCenter, -1 };
        const db::Field* const field = dataSet ? dataSet->FindField(fieldName) : nullptr;
        if (field) {
            for (int index = 0; index < dataSet->FieldCount(); ++index) {
                if (&dataSet->fieldAt(index) == field) {
                    shown.valueIndex = index;
                }
            }
            if (shown.title.isEmpty()) {
                shown.title = field->DisplayLabel();
            }
            if (shown.width <= 0) {
                const int titleWidth = metrics.horizontalAdvance(shown.title);
                const int textWidth
                    = column.stretch ? titleWidth : std::max(field->DisplayWidth() * digitWidth, titleWidth);
                shown.width = textWidth + 2 * cellPadding;
            }
            if (field->DataType() == db::FieldType::Short) {
                shown.alignment = Qt::AlignRight | Qt::AlignVCenter;
            }
        }
        if (shown.title.isEmpty()) {
            shown.title = fieldName;
        }
        if (shown.width <= 0) {
            shown.width = defaultColumnWidth;
        }
        m_shownColumns.push_back(shown);
    };
    if (!m_columns.isEmpty()) {
        for (const DBGridColumn& column : m_columns) {
            add(column);
        }
    } else if (dataSet) {
        for (int index = 0; index < dataSet->FieldCount(); ++index) {
            const db::Field& field = dataSet->fieldAt(index);
            if (field.Visible()) {
                add(DBGridColumn { field.FieldName(), QString() });
            }
        }
    }
    m_currentColumn = std::clamp(m_currentColumn, 0, std::max(0, columnCount() - 1));
    fitColumns();
}

void DBGrid::fitColumns()
{
    int given = indicatorWidth();
    for (const ShownColumn& column : m_shownColumns) {
        given += column.width;
    }
    m_lastColumnExtra = m_shownColumns.empty() ? 0 : std::max(0, viewport()->width() - given);
    QScrollBar* const horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, totalWidth() - viewport()->width()));
    horizontal->setPageStep(std::max(1, viewport()->width()));
    horizontal->setSingleStep(20);
}

void DBGrid::showFirstColumn()
{
    m_currentColumn = 0;
    horizontalScrollBar()->setValue(0);
}

void DBGrid::reload(int position)
{
    trackState();
    m_lastVisibleRows = visibleRowCount();
    const db::DataSet* const dataSet = activeDataSet();
    if (!guarded([&] { m_window.reload(dataSet, position, m_lastVisibleRows); })) {
        m_window.clear();
    }
    if (currentRow() < 0) {
        m_cellEditor.close(false);
    }
    m_cellEditor.sync();
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

void DBGrid::onDataChanged()
{
    // Rows were read anew. Another current row means another set of rows (a master that moved, a delete): it
    // shows from its first column, as a list just opened does.
    const db::Bookmark before = currentRow() >= 0 ? m_window.row(currentRow()).bookmark : db::Bookmark {};
    m_thumb.forget();
    reload(currentRow());
    const db::Bookmark after = currentRow() >= 0 ? m_window.row(currentRow()).bookmark : db::Bookmark {};
    if (before.isValid() && !(after.isValid() && after.id == before.id)) {
        m_cellEditor.close(false);
        showFirstColumn();
        viewport()->update();
    }
}

void DBGrid::onScrolled()
{
    const db::DataSet* const dataSet = activeDataSet();
    const std::optional<int> jumped = m_thumb.takePlaceAfterJump();
    if (!dataSet || dataSet->State() == db::DataSetState::Insert) {
        reload(currentRow());
        return;
    }
    m_cellEditor.close(false);
    int place = currentRow();
    if (jumped) {
        place = *jumped;
    } else {
        guarded([&] { place = m_window.placeAfterMove(*dataSet, visibleRowCount(), currentRow()); });
    }
    reload(place);
}

void DBGrid::onStateChanged()
{
    reload(currentRow());
}

void DBGrid::trackState()
{
    const db::DataSet* const dataSet = activeDataSet();
    const db::DataSetState state = dataSet ? dataSet->State() : db::DataSetState::Inactive;
    const bool activityChanged = (state == db::DataSetState::Inactive) != (m_lastState == db::DataSetState::Inactive);
    m_lastState = state;
    if (activityChanged) {
        // A data set makes new fields when it opens: the columns are found again, from the first.
        m_cellEditor.close(false);
        m_thumb.forget();
        resolveColumns();
        showFirstColumn();
    }
}

void DBGrid::onFieldChanged()
{
    const db::DataSet* const dataSet = activeDataSet();
    if (!dataSet || currentRow() < 0) {
        return;
    }
    guarded([&] { m_window.setCurrentValues(dataSet->currentValues()); });
    viewport()->update();
}

void DBGrid::updateScrollBars()
{
    fitColumns();
    updateThumb();
}

void DBGrid::updateThumb()
{
    m_thumb.follow(activeDataSet(), m_window, visibleRowCount());
}

void DBGrid::onScrollAction(int action)
{
    const int page = visibleRowCount();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        move([](db::DataSet& dataSet) { dataSet.Next(); });
        break;
    case QAbstractSlider::SliderSingleStepSub:
        move([](db::DataSet& dataSet) { dataSet.Prior(); });
        break;
    case QAbstractSlider::SliderPageStepAdd:
        move([page](db::DataSet& dataSet) { dataSet.MoveBy(page); });
        break;
    case QAbstractSlider::SliderPageStepSub:
        move([page](db::DataSet& dataSet) { dataSet.MoveBy(-page); });
        break;
    case QAbstractSlider::SliderToMinimum:
        move([](db::DataSet& dataSet) { dataSet.First(); });
        break;
    case QAbstractSlider::SliderToMaximum:
        move([](db::DataSet& dataSet) { dataSet.Last(); });
        break;
    case QAbstractSlider::SliderMove: {
        // The thumb is where the row it reached stands.
        const int place = verticalScrollBar()->sliderPosition();
        const db::DataSet* const dataSet = activeDataSet();
        if (dataSet && !dataSet->IsEmpty()) {
            move([&](db::DataSet& moved) { m_thumb.moveTo(moved, place, page); });
        }
        m_thumb.holdAt(place);
        return;
    }
    default:
        return;
    }
    updateThumb();
    verticalScrollBar()->setSliderPosition(verticalScrollBar()->value());
}

void DBGrid::move(const std::function<void(db::DataSet&)>& operation)
{
    db::DataSet* const dataSet = activeDataSet();
    if (!dataSet) {
        return;
    }
    m_cellEditor.close(false);
    guarded([&] { operation(*dataSet); });
}

void DBGrid::moveToColumn(int column)
{
    if (columnCount() == 0) {
        return;
    }
    const int target = std::clamp(column, 0, columnCount() - 1);
    if (target != m_currentColumn) {
        m_cellEditor.close(false);
        m_currentColumn = target;
    }
    ensureColumnVisible(target);
    viewport()->update();
}

void DBGrid::ensureColumnVisible(int column)
{
    QScrollBar* const horizontal = horizontalScrollBar();
    const int left = columnLeft(column) - indicatorWidth();
    const int right = columnLeft(column) + columnWidth(column);
    if (left < horizontal->value()) {
        horizontal->setValue(left);
    } else if (right > horizontal->value() + viewport()->width()) {
        horizontal->setValue(std::min(left, right - viewport()->width()));
    }
}

void DBGrid::pressTab(bool forward)
{
    if (!m_options.testFlag(Option::Tabs) || columnCount() == 0 || m_options.testFlag(Option::RowSelect)) {
        leaveGrid(forward);
        return;
    }
    const int next = m_currentColumn + (forward ? 1 : -1);
    if (next >= 0 && next < columnCount()) {
        moveToColumn(next);
        return;
    }
    if (canEditCells()) {
        leaveGrid(forward); // past the row's last cell (or before its first)
        return;
    }
    // A grid that only shows its rows goes on to the next row's cells.
    if (forward) {
        move([](db::DataSet& dataSet) { dataSet.Next(); });
        moveToColumn(0);
    } else {
        move([](db::DataSet& dataSet) { dataSet.Prior(); });
        moveToColumn(columnCount() - 1);
    }
}

void DBGrid::leaveGrid(bool forward)
{
    m_cellEditor.close(false);
    if (!hasFocus()) {
        setFocus(Qt::TabFocusReason);
    }
    focusNextPrevChild(forward);
}

void DBGrid::deleteCurrentRow()
{
    db::DataSet* const dataSet = activeDataSet();
    if (!dataSet || m_readOnly) {
        return;
    }
    guarded([&] {
        const bool inserting = dataSet->State() == db::DataSetState::Insert;
        if (!dataSet->CanModify() || (!inserting && dataSet->IsEmpty())) {
            return;
        }
        m_cellEditor.close(false);
        deleteRecord(*dataSet, m_options.testFlag(Option::ConfirmDelete), this);
    });
}

bool DBGrid::canEditCells() const
{
    return m_options.testFlag(Option::Editing) && !m_options.testFlag(Option::RowSelect) && !m_readOnly
        && activeDataSet() != nullptr;
}

bool DBGrid::beginEdit()
{
    db::DataSet* const dataSet = activeDataSet();
    const db::Field* const field = columnField(m_currentColumn);
    if (!dataSet || !field || field->ReadOnly() || !canEditCells()) {
        return false;
    }
    if (isEditingState(dataSet->State())) {
        return true;
    }
    bool editing = false;
    guarded([&] {
        if (m_source->AutoEdit() && dataSet->State() == db::DataSetState::Browse && dataSet->CanModify()) {
            dataSet->Edit();
        }
        editing = isEditingState(dataSet->State());
    });
    return editing;
}

bool DBGrid::mayChangeCell()
{
    const db::DataSet* const dataSet = activeDataSet();
    return dataSet && (isEditingState(dataSet->State()) || beginEdit());
}

void DBGrid::openEditor(const QString* typed)
{
    if (!canEditCells() || currentRow() < 0) {
        return;
    }
    const db::Field* const field = columnField(m_currentColumn);
    if (!field || field->ReadOnly()) {
        return;
    }
    if (typed && !beginEdit()) {
        return;
    }
    // The field may have changed while a typed key began the edit; the editor reads it again.
    if (!columnField(m_currentColumn) || currentRow() < 0) {
        return;
    }
    ensureColumnVisible(m_currentColumn);
    m_cellEditor.open(cellRect(currentRow(), m_currentColumn), typed);
}

void DBGrid::placeEditor()
{
    m_cellEditor.place(cellRect(currentRow(), m_currentColumn));
}

void DBGrid::onEditorKey(QKeyEvent* event)
{
    if (isTabKey(*event)) {
        pressTab(tabsForward(*event));
    } else {
        handleGridKey(event);
    }
}

bool DBGrid::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* const key = static_cast<QKeyEvent*>(event);
        if (isTabKey(*key)) {
            pressTab(tabsForward(*key));
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    if (isEditing()) {
        // The grid holds the focus while its cell is open: the key belongs to the cell.
        m_cellEditor.takeKey(event);
        return;
    }
    if (!handleGridKey(event)) {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

bool DBGrid::handleGridKey(QKeyEvent* event)
{
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    const bool rowSelect = m_options.testFlag(Option::RowSelect);
    const int page = visibleRowCount();
    switch (event->key()) {
    case Qt::Key_Delete:
        if (control) {
            deleteCurrentRow();
            return true;
        }
        return false;
    case Qt::Key_Up:
        move([](db::DataSet& dataSet) { dataSet.Prior(); });
        return true;
    case Qt::Key_Down:
        move([](db::DataSet& dataSet) { dataSet.Next(); });
        return true;
    case Qt::Key_PageUp:
        move([page](db::DataSet& dataSet) { dataSet.MoveBy(-page); });
        return true;
    case Qt::Key_PageDown:
        move([page](db::DataSet& dataSet) { dataSet.MoveBy(page); });
        return true;
    case Qt::Key_Home:
        if (control || rowSelect) {
            move([](db::DataSet& dataSet) { dataSet.First(); });
        } else {
            moveToColumn(0);
        }
        return true;
    case Qt::Key_End:
        if (control || rowSelect) {
            move([](db::DataSet& dataSet) { dataSet.Last(); });
        } else {
            moveToColumn(columnCount() - 1);
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        if (rowSelect) {
            horizontalScrollBar()->setValue(
                horizontalScrollBar()->value() + step * horizontalScrollBar()->singleStep());
        } else {
            moveToColumn(m_currentColumn + step);
        }
        return true;
    }
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (canEditCells()) {
            openEditor(nullptr);
            return true;
        }
        return false;
    case Qt::Key_Escape: {
        db::DataSet* const dataSet = activeDataSet();
        if (dataSet && isEditingState(dataSet->State()) && canEditCells()) {
            move([](db::DataSet& editing) { editing.Cancel(); });
            return true;
        }
        return false;
    }
    default:
        if (canEditCells() && typesCharacter(*event)) {
            const QString typed = event->text();
            openEditor(&typed);
            return true;
        }
        return false;
    }
}

void DBGrid::inputMethodEvent(QInputMethodEvent* event)
{
    // A composed character (an input method, a compose sequence) opens the cell as a typed one does.
    if (canEditCells() && !isEditing() && (!event->commitString().isEmpty() || !event->preeditString().isEmpty())) {
        const QString nothing;
        openEditor(&nothing);
    }
    if (isEditing()) {
        m_cellEditor.takeInput(event);
        return;
    }
    QAbstractScrollArea::inputMethodEvent(event);
}

QVariant DBGrid::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle) {
        const QRect cell = cellRect(currentRow(), m_currentColumn);
        return QRect(viewport()->mapTo(this, cell.topLeft()), cell.size());
    }
    if (query == Qt::ImEnabled) {
        return canEditCells();
    }
    return QAbstractScrollArea::inputMethodQuery(query);
}

void DBGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressedRow = -1;
    m_pressedColumn = -1;
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const int row = rowAt(point.y());
    const int column = columnAt(point.x());
    if (row < 0 || column < 0) {
        return;
    }
    // The click that brings the focus in only enters the grid; a click on a grid that had it opens the cell.
    const bool hadFocus = (hasFocus() || m_cellEditor.hasFocus()) && !std::exchange(m_focusedByClick, false);
    if (!hasFocus() && !m_cellEditor.hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    m_pressedRow = row;
    m_pressedColumn = column;
    if (row == currentRow()) {
        if (column != m_currentColumn) {
            moveToColumn(column);
        } else if (hadFocus && !isEditing()) {
            openEditor(nullptr); // a click on the current cell opens it for editing
        }
        return;
    }
    const db::Bookmark target = m_window.row(row).bookmark;
    moveToColumn(column);
    if (target.isValid()) {
        move([&](db::DataSet& dataSet) {
            if (!dataSet.GotoBookmark(target)) {
                reload(currentRow()); // the row has gone meanwhile
            }
        });
    }
}

void DBGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressedColumn >= 0) {
        const int column = m_pressedColumn;
        m_pressedRow = -1;
        m_pressedColumn = -1;
        emit cellClicked(column);
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void DBGrid::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) {
        const int rows = -notches * QApplication::wheelScrollLines();
        move([rows](db::DataSet& dataSet) { dataSet.MoveBy(rows); });
    }
    event->accept();
}

void DBGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    m_focusedByClick = event->reason() == Qt::MouseFocusReason;
    focusArrived();
    viewport()->update();
}

void DBGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
    // A window losing activation (a message box, another program) does not take the focus out of the grid.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    if (m_cellEditor.hasFocus()) {
        return;
    }
    focusLeft();
}

void DBGrid::focusArrived()
{
    if (m_focusInside) {
        return;
    }
    m_focusInside = true;
    emit entered();
}

void DBGrid::focusLeft()
{
    if (!m_focusInside) {
        return;
    }
    m_focusInside = false;
    m_cellEditor.close(false);
    db::DataSet* const dataSet = activeDataSet();
    if (m_options.testFlag(Option::CancelOnExit) && dataSet && dataSet->State() == db::DataSetState::Insert
        && !dataSet->Modified()) {
        guarded([&] { dataSet->Cancel(); });
    }
    emit exited();
}

void DBGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (visibleRowCount() != m_lastVisibleRows) {
        reload(currentRow());
    } else {
        updateScrollBars();
        placeEditor();
        viewport()->update();
    }
}

void DBGrid::scrollContentsBy(int dx, int /*dy*/)
{
    if (dx != 0) {
        placeEditor();
        viewport()->update();
    }
}

void DBGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        resolveColumns();
        reload(currentRow());
    }
}

void DBGrid::paintTitles(QPainter& painter, int left) const
{
    const QPalette& colours = palette();
    const int titles = titleHeight();
    const QColor lines = colours.color(QPalette::Mid);
    const auto paintTitle = [&](const QRect& cell, const QString& text, Qt::Alignment alignment) {
        painter.fillRect(cell, colours.button());
        painter.setPen(lines);
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        painter.setPen(m_titleColor.isValid() ? m_titleColor : colours.color(QPalette::ButtonText));
        painter.drawText(
            cell.adjusted(cellPadding, 0, -cellPadding, 0), static_cast<int>(alignment) | Qt::TextSingleLine, text);
    };
    for (int column = 0; column < columnCount(); ++column) {
        const ShownColumn& shown = m_shownColumns.at(static_cast<size_t>(column));
        paintTitle(QRect(left + columnLeft(column), 0, columnWidth(column), titles), shown.title, shown.titleAlignment);
    }
    if (indicatorWidth() > 0) {
        paintTitle(QRect(0, 0, indicatorWidth(), titles), QString(), Qt::AlignLeft);
    }
}

void DBGrid::paintIndicator(QPainter& painter) const
{
    const QPalette& colours = palette();
    const int titles = titleHeight();
    const int height = rowHeight();
    const int width = indicatorWidth();
    painter.fillRect(QRect(0, titles, width, rowCount() * height), colours.button());
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(width - 1, titles, width - 1, titles + rowCount() * height - 1);
    if (currentRow() < 0) {
        return;
    }
    const QRect cell(0, titles + currentRow() * height, width - 1, height);
    const QPoint centre = cell.center();
    const db::DataSet* const dataSet = activeDataSet();
    const db::DataSetState state = dataSet ? dataSet->State() : db::DataSetState::Inactive;
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.setBrush(colours.color(QPalette::ButtonText));
    if (state == db::DataSetState::Insert) {
        painter.drawText(cell, Qt::AlignCenter, QStringLiteral("*"));
    } else if (state == db::DataSetState::Edit) {
        // An I-beam: the row is being edited.
        painter.drawLine(centre.x(), centre.y() - 4, centre.x(), centre.y() + 4);
        painter.drawLine(centre.x() - 2, centre.y() - 4, centre.x() + 2, centre.y() - 4);
        painter.drawLine(centre.x() - 2, centre.y() + 4, centre.x() + 2, centre.y() + 4);
    } else {
        painter.drawPolygon(QPolygon({ QPoint(centre.x() - 2, centre.y() - 4), QPoint(centre.x() + 2, centre.y()),
            QPoint(centre.x() - 2, centre.y() + 4) }));
    }
    painter.setBrush(Qt::NoBrush);
}

void DBGrid::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int left = -horizontalScrollBar()->value();
    const int titles = titleHeight();
    const int height = rowHeight();
    const int rowsBottom = titles + rowCount() * height;
    const bool focused = hasFocus() || m_cellEditor.hasFocus();
    const bool showSelection = focused || m_options.testFlag(Option::AlwaysShowSelection);
    const bool rowSelect = m_options.testFlag(Option::RowSelect);
    const QColor lines = colours.color(QPalette::Mid);

    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            const ShownColumn& shown = m_shownColumns.at(static_cast<size_t>(column));
            const QRect cell(left + columnLeft(column), titles + row * height, columnWidth(column), height);
            const bool highlighted = row == currentRow() && showSelection && (rowSelect || column == m_currentColumn);
            if (highlighted) {
                painter.fillRect(cell, colours.highlight());
            }
            painter.setPen(colours.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
            const QRect textArea = cell.adjusted(cellPadding, 0, -cellPadding, 0);
            const QString text = cellText(row, column).section(QLatin1Char('\n'), 0, 0);
            painter.drawText(textArea, static_cast<int>(shown.alignment) | Qt::TextSingleLine,
                painter.fontMetrics().elidedText(text, Qt::ElideRight, textArea.width()));
        }
    }
    painter.setPen(lines);
    if (m_options.testFlag(Option::ColLines)) {
        for (int column = 0; column < columnCount(); ++column) {
            const int x = left + columnLeft(column) + columnWidth(column);
            painter.drawLine(x - 1, titles, x - 1, rowsBottom - 1);
        }
    }
    if (m_options.testFlag(Option::RowLines)) {
        const int right = left + totalWidth() - 1;
        for (int row = 1; row <= rowCount(); ++row) {
            painter.drawLine(left + indicatorWidth(), titles + row * height - 1, right, titles + row * height - 1);
        }
    }
    // The indicator and the titles stay in place when the cells scroll sideways.
    if (indicatorWidth() > 0) {
        paintIndicator(painter);
    }
    if (titles > 0) {
        paintTitles(painter, left);
    }
}

} // namespace ui
