#include "platform/ui/DBGrid.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/ui/EditKeys.h"
#include "platform/ui/Guard.h"
#include "platform/ui/ModalPoint.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace ui {

namespace {

constexpr int defaultColumnWidth = 64;
constexpr int cellPadding = 2;
constexpr int unlimitedLength = 32767;

// The vertical scroll bar only says where the current row stands: at the first row, somewhere between, or at
// the last. Its exact place would need the row's number, which a large data set cannot give cheaply.
constexpr int scrollFirst = 0;
constexpr int scrollMiddle = 1;
constexpr int scrollLast = 2;

bool sameRow(const db::Bookmark& left, const db::Bookmark& right)
{
    return left.isValid() && right.isValid() && left.id == right.id;
}

// The rows beside a bookmark in one direction, nearest first, without the bookmarked row itself.
std::vector<db::RecordRow> neighbours(const db::DataSet& dataSet, const db::Bookmark& from, int count, bool forward)
{
    if (count <= 0 || !from.isValid()) {
        return {};
    }
    std::vector<db::RecordRow> rows = dataSet.readRows(from, count, forward);
    if (!forward) {
        std::reverse(rows.begin(), rows.end()); // they come in the data set's order
    }
    return rows;
}

bool isEditingState(db::DataSetState state)
{
    return state == db::DataSetState::Edit || state == db::DataSetState::Insert;
}

} // namespace

DBGrid::DBGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_options(Option::Editing | Option::Titles | Option::ColLines | Option::RowLines | Option::Tabs
          | Option::ConfirmDelete | Option::CancelOnExit)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &DBGrid::onScrollAction);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, &DBGrid::onSliderReleased);
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
    closeEditor(false);
    m_source = source;
    if (source) {
        connect(source, &db::DataSource::dataSetChanged, this, [this] {
            resolveColumns();
            reload(0);
        });
        connect(source, &db::DataSource::stateChanged, this, &DBGrid::onStateChanged);
        connect(source, &db::DataSource::scrolled, this, &DBGrid::onScrolled);
        connect(source, &db::DataSource::dataChanged, this, [this] { reload(m_currentRow); });
        connect(source, &db::DataSource::fieldChanged, this, &DBGrid::onFieldChanged);
        connect(source, &QObject::destroyed, this, &DBGrid::onStateChanged);
    }
    resolveColumns();
    reload(0);
}

void DBGrid::setOptions(Options options)
{
    m_options = options;
    if (!canEditCells()) {
        closeEditor(false);
    }
    reload(m_currentRow);
}

void DBGrid::setColumns(const QList<DBGridColumn>& columns)
{
    m_columns = columns;
    resolveColumns();
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
    return column >= 0 && column < columnCount() ? m_shownColumns.at(static_cast<size_t>(column)).width : 0;
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
    int left = 0;
    for (int index = 0; index < column && index < columnCount(); ++index) {
        left += m_shownColumns.at(static_cast<size_t>(index)).width;
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
    int left = 0;
    for (int column = 0; column < columnCount(); ++column) {
        const int width = columnWidth(column);
        if (contentX >= left && contentX < left + width) {
            return column;
        }
        left += width;
    }
    return -1;
}

QString DBGrid::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return {};
    }
    const int valueIndex = m_shownColumns.at(static_cast<size_t>(column)).valueIndex;
    const QVariantList& values = m_rows.at(static_cast<size_t>(row)).values;
    return valueIndex >= 0 && valueIndex < values.size() ? values.at(valueIndex).toString() : QString();
}

bool DBGrid::isEditing() const
{
    return m_editor && m_editor->isVisible();
}

void DBGrid::resolveColumns()
{
    m_shownColumns.clear();
    const db::DataSet* const dataSet = activeDataSet();
    const QFontMetrics metrics = fontMetrics();
    const int digitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const auto add = [&](const QString& fieldName, const QString& title, int width, Qt::Alignment titleAlignment) {
        ShownColumn shown { fieldName, title, width, titleAlignment, Qt::AlignLeft | Qt::AlignVCenter, -1 };
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
                shown.width = std::max(field->DisplayWidth() * digitWidth, metrics.horizontalAdvance(shown.title))
                    + 2 * cellPadding;
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
            add(column.fieldName, column.title, column.width, column.titleAlignment);
        }
    } else if (dataSet) {
        for (int index = 0; index < dataSet->FieldCount(); ++index) {
            const db::Field& field = dataSet->fieldAt(index);
            if (field.Visible()) {
                add(field.FieldName(), QString(), 0, Qt::AlignLeft | Qt::AlignVCenter);
            }
        }
    }
    m_currentColumn = std::clamp(m_currentColumn, 0, std::max(0, columnCount() - 1));
    updateScrollBars();
}

void DBGrid::reload(int position)
{
    trackState();
    m_rows.clear();
    m_currentRow = -1;
    m_windowAtStart = true;
    m_windowAtEnd = true;
    m_lastVisibleRows = visibleRowCount();
    const db::DataSet* const dataSet = activeDataSet();
    guarded([&] {
        if (!dataSet) {
            return;
        }
        const int visible = visibleRowCount();
        const int place = std::clamp(position, 0, visible - 1);
        if (dataSet->State() == db::DataSetState::Insert) {
            // The new row stands before the row that was current when the insert began, which the data set
            // still names as its position.
            const db::Bookmark anchor = dataSet->GetBookmark();
            std::vector<db::RecordRow> before = neighbours(*dataSet, anchor, place + 1, false);
            const db::Bookmark justBefore = before.empty() ? db::Bookmark {} : before.front().bookmark;
            before.resize(std::min(before.size(), static_cast<size_t>(place)));
            m_rows.assign(before.rbegin(), before.rend());
            m_currentRow = static_cast<int>(m_rows.size());
            m_rows.push_back(db::RecordRow { db::Bookmark {}, dataSet->currentValues() });
            if (anchor.isValid()) {
                // From the row before the anchor (or from the start), so that the anchor itself comes first.
                const int room = visible - static_cast<int>(m_rows.size());
                for (db::RecordRow& row : dataSet->readRows(justBefore, room, true)) {
                    m_rows.push_back(std::move(row));
                }
            }
            m_windowAtStart = false;
            m_windowAtEnd = false;
            return;
        }
        if (dataSet->IsEmpty()) {
            return;
        }
        const db::Bookmark current = dataSet->GetBookmark();
        int wantBefore = place;
        int wantAfter = visible - 1 - place;
        // One row more than shown on each side tells whether the window reaches the data set's ends.
        std::vector<db::RecordRow> before = neighbours(*dataSet, current, wantBefore + 1, false);
        std::vector<db::RecordRow> after = neighbours(*dataSet, current, wantAfter + 1, true);
        if (static_cast<int>(after.size()) <= wantAfter && static_cast<int>(before.size()) > wantBefore) {
            wantBefore = visible - 1 - static_cast<int>(after.size());
            before = neighbours(*dataSet, current, wantBefore + 1, false);
        } else if (static_cast<int>(before.size()) <= wantBefore && static_cast<int>(after.size()) > wantAfter) {
            wantAfter = visible - 1 - static_cast<int>(before.size());
            after = neighbours(*dataSet, current, wantAfter + 1, true);
        }
        m_windowAtStart = static_cast<int>(before.size()) <= wantBefore;
        m_windowAtEnd = static_cast<int>(after.size()) <= wantAfter;
        before.resize(std::min(before.size(), static_cast<size_t>(wantBefore)));
        after.resize(std::min(after.size(), static_cast<size_t>(wantAfter)));
        m_rows.assign(before.rbegin(), before.rend());
        m_currentRow = static_cast<int>(m_rows.size());
        m_rows.push_back(db::RecordRow { current, dataSet->currentValues() });
        for (db::RecordRow& row : after) {
            m_rows.push_back(std::move(row));
        }
    });
    if (m_currentRow < 0) {
        closeEditor(false);
    }
    syncEditor();
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

void DBGrid::syncEditor()
{
    // Typing writes every change into the field, so an open cell that no longer shows its field's value has been
    // overtaken by a change from elsewhere (a navigator's insert, a post that moved the row): it shows the new
    // value, so that what is typed next is not added to the old text.
    if (!isEditing()) {
        return;
    }
    const db::Field* const field = columnField(m_currentColumn);
    const QString value = field ? field->AsString() : QString();
    if (m_editor->text() != value) {
        m_editorOriginal = value;
        m_editor->setText(value);
        m_editor->selectAll();
    }
}

void DBGrid::onScrolled()
{
    const db::DataSet* const dataSet = activeDataSet();
    if (!dataSet || dataSet->State() == db::DataSetState::Insert) {
        reload(m_currentRow);
        return;
    }
    closeEditor(false);
    int place = m_currentRow;
    guarded([&] {
        const db::Bookmark current = dataSet->GetBookmark();
        for (size_t index = 0; index < m_rows.size(); ++index) {
            if (sameRow(m_rows[index].bookmark, current)) {
                place = static_cast<int>(index);
                return;
            }
        }
        // Just past the window's edge: the rows scroll by one, as a step does.
        if (!m_rows.empty()) {
            const auto below = neighbours(*dataSet, m_rows.back().bookmark, 1, true);
            const auto above = neighbours(*dataSet, m_rows.front().bookmark, 1, false);
            if (!below.empty() && sameRow(below.front().bookmark, current)) {
                place = visibleRowCount() - 1;
            } else if (!above.empty() && sameRow(above.front().bookmark, current)) {
                place = 0;
            }
        }
    });
    reload(place);
}

void DBGrid::onStateChanged()
{
    reload(m_currentRow);
}

void DBGrid::trackState()
{
    const db::DataSet* const dataSet = activeDataSet();
    const db::DataSetState state = dataSet ? dataSet->State() : db::DataSetState::Inactive;
    const bool activityChanged = (state == db::DataSetState::Inactive) != (m_lastState == db::DataSetState::Inactive);
    m_lastState = state;
    if (activityChanged) {
        // A data set makes new fields when it opens: the columns are found again.
        closeEditor(false);
        resolveColumns();
    }
}

void DBGrid::onFieldChanged()
{
    const db::DataSet* const dataSet = activeDataSet();
    if (!dataSet || m_currentRow < 0) {
        return;
    }
    guarded([&] { m_rows.at(static_cast<size_t>(m_currentRow)).values = dataSet->currentValues(); });
    viewport()->update();
}

int DBGrid::scrollValue() const
{
    if (m_currentRow < 0) {
        return scrollFirst;
    }
    if (m_windowAtStart && m_currentRow == 0) {
        return scrollFirst;
    }
    if (m_windowAtEnd && m_currentRow == rowCount() - 1) {
        return scrollLast;
    }
    return scrollMiddle;
}

void DBGrid::updateScrollBars()
{
    QScrollBar* const vertical = verticalScrollBar();
    const QSignalBlocker blockVertical(vertical);
    if (m_windowAtStart && m_windowAtEnd) {
        vertical->setRange(0, 0);
    } else {
        vertical->setRange(scrollFirst, scrollLast);
        vertical->setPageStep(1);
        vertical->setSingleStep(1);
        vertical->setValue(scrollValue());
    }
    QScrollBar* const horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, totalWidth() - viewport()->width()));
    horizontal->setPageStep(std::max(1, viewport()->width()));
    horizontal->setSingleStep(20);
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
    default:
        return; // a drag is decided when the slider is released
    }
    verticalScrollBar()->setSliderPosition(scrollValue());
}

void DBGrid::onSliderReleased()
{
    const int position = verticalScrollBar()->sliderPosition();
    if (position <= verticalScrollBar()->minimum()) {
        move([](db::DataSet& dataSet) { dataSet.First(); });
    } else if (position >= verticalScrollBar()->maximum()) {
        move([](db::DataSet& dataSet) { dataSet.Last(); });
    }
    const QSignalBlocker block(verticalScrollBar());
    verticalScrollBar()->setValue(scrollValue());
}

void DBGrid::move(const std::function<void(db::DataSet&)>& operation)
{
    db::DataSet* const dataSet = activeDataSet();
    if (!dataSet) {
        return;
    }
    closeEditor(false);
    guarded([&] { operation(*dataSet); });
}

void DBGrid::moveToColumn(int column)
{
    if (columnCount() == 0) {
        return;
    }
    const int target = std::clamp(column, 0, columnCount() - 1);
    if (target != m_currentColumn) {
        closeEditor(false);
        m_currentColumn = target;
    }
    ensureColumnVisible(target);
    viewport()->update();
}

void DBGrid::ensureColumnVisible(int column)
{
    QScrollBar* const horizontal = horizontalScrollBar();
    const int left = columnLeft(column);
    const int right = left + columnWidth(column);
    if (left < horizontal->value()) {
        horizontal->setValue(left);
    } else if (right > horizontal->value() + viewport()->width()) {
        horizontal->setValue(std::min(left, right - viewport()->width()));
    }
}

void DBGrid::tabToCell(bool forward)
{
    const int next = m_currentColumn + (forward ? 1 : -1);
    if (!m_options.testFlag(Option::RowSelect) && next >= 0 && next < columnCount()) {
        moveToColumn(next);
        return;
    }
    // Past the last cell of a row Tab goes on to the first cell of the next one.
    if (forward) {
        move([](db::DataSet& dataSet) { dataSet.Next(); });
        moveToColumn(0);
    } else {
        move([](db::DataSet& dataSet) { dataSet.Prior(); });
        moveToColumn(columnCount() - 1);
    }
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
        closeEditor(false);
        if (m_options.testFlag(Option::ConfirmDelete)
            && ModalPoint::message(QStringLiteral("Delete record?"), MessageKind::Confirmation,
                   MessageButton::OK | MessageButton::Cancel, this)
                != MessageButton::OK) {
            return;
        }
        // A row being inserted is not stored yet: dropping it is its deletion.
        if (dataSet->State() == db::DataSetState::Insert) {
            dataSet->Cancel();
        } else {
            dataSet->Delete();
        }
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

void DBGrid::openEditor(const QString* typed)
{
    if (!canEditCells() || m_currentRow < 0) {
        return;
    }
    const db::Field* const field = columnField(m_currentColumn);
    if (!field || field->ReadOnly()) {
        return;
    }
    if (typed && !beginEdit()) {
        return;
    }
    if (!m_editor) {
        m_editor = new QLineEdit(viewport());
        m_editor->setObjectName(QStringLiteral("InplaceEditor"));
        m_editor->setFrame(false);
        m_editor->installEventFilter(this);
        connect(m_editor, &QLineEdit::textEdited, this, &DBGrid::onEditorEdited);
    }
    // The field may have changed while a typed key began the edit; read it again.
    const db::Field* const current = columnField(m_currentColumn);
    if (!current) {
        return;
    }
    m_editorOriginal = current->AsString();
    m_editor->setMaxLength(
        current->DataType() == db::FieldType::Alpha && current->Size() > 0 ? current->Size() : unlimitedLength);
    m_editor->setText(typed ? *typed : m_editorOriginal);
    placeEditor();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    if (typed) {
        onEditorEdited(m_editor->text());
    } else {
        m_editor->selectAll();
    }
}

void DBGrid::closeEditor(bool restore)
{
    if (!isEditing()) {
        return;
    }
    if (restore) {
        db::Field* const field = columnField(m_currentColumn);
        const db::DataSet* const dataSet = activeDataSet();
        if (field && dataSet && isEditingState(dataSet->State()) && field->AsString() != m_editorOriginal) {
            guarded([&] { field->setAsString(m_editorOriginal); });
        }
    }
    if (m_editor->hasFocus()) {
        setFocus(Qt::OtherFocusReason); // before hiding, or Qt would hand the focus to the next control
    }
    m_editor->hide();
}

void DBGrid::placeEditor()
{
    if (!isEditing()) {
        return;
    }
    const QRect cell = cellRect(m_currentRow, m_currentColumn);
    if (cell.isEmpty()) {
        closeEditor(false);
        return;
    }
    m_editor->setGeometry(cell.adjusted(1, 1, -1, -1));
}

void DBGrid::onEditorEdited(const QString& text)
{
    const db::DataSet* const dataSet = activeDataSet();
    if (!dataSet || (!isEditingState(dataSet->State()) && !beginEdit())) {
        m_editor->setText(m_editorOriginal);
        return;
    }
    db::Field* const field = columnField(m_currentColumn);
    if (!field || field->AsString() == text) {
        return;
    }
    guarded([&] { field->setAsString(text); });
}

bool DBGrid::handleEditorKey(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    switch (event->key()) {
    case Qt::Key_Escape:
        closeEditor(true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        closeEditor(false);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        closeEditor(false);
        keyPressEvent(event);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (m_options.testFlag(Option::Tabs) && plain) {
            closeEditor(false);
            tabToCell(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
            return true;
        }
        return false;
    default:
        break;
    }
    if (changesText(*event, false)) {
        const db::DataSet* const dataSet = activeDataSet();
        if (!dataSet || (!isEditingState(dataSet->State()) && !beginEdit())) {
            return true; // refused: the cell keeps its value
        }
    }
    return false;
}

bool DBGrid::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_options.testFlag(Option::Tabs)) {
        const auto* const key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            tabToCell(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool DBGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (m_editor && watched == m_editor) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return handleEditorKey(static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            focusArrived();
            break;
        case QEvent::FocusOut: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
                && QApplication::focusWidget() != this) {
                focusLeft();
            }
            break;
        }
        default:
            break;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    if (isEditing()) {
        if (!m_forwardingKey) {
            // Keys that reach the grid while a cell is open belong there.
            const QScopedValueRollback forwarding(m_forwardingKey, true);
            QApplication::sendEvent(m_editor, event);
            return;
        }
        // The cell has no use for this key (Ctrl+Home, Ctrl+End) and handed it back: it moves in the grid.
        closeEditor(false);
    }
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    const bool rowSelect = m_options.testFlag(Option::RowSelect);
    const int page = visibleRowCount();
    switch (event->key()) {
    case Qt::Key_Delete:
        if (control) {
            deleteCurrentRow();
            return;
        }
        break;
    case Qt::Key_Up:
        move([](db::DataSet& dataSet) { dataSet.Prior(); });
        return;
    case Qt::Key_Down:
        move([](db::DataSet& dataSet) { dataSet.Next(); });
        return;
    case Qt::Key_PageUp:
        move([page](db::DataSet& dataSet) { dataSet.MoveBy(-page); });
        return;
    case Qt::Key_PageDown:
        move([page](db::DataSet& dataSet) { dataSet.MoveBy(page); });
        return;
    case Qt::Key_Home:
        if (control || rowSelect) {
            move([](db::DataSet& dataSet) { dataSet.First(); });
        } else {
            moveToColumn(0);
        }
        return;
    case Qt::Key_End:
        if (control || rowSelect) {
            move([](db::DataSet& dataSet) { dataSet.Last(); });
        } else {
            moveToColumn(columnCount() - 1);
        }
        return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        if (rowSelect) {
            horizontalScrollBar()->setValue(
                horizontalScrollBar()->value() + step * horizontalScrollBar()->singleStep());
        } else {
            moveToColumn(m_currentColumn + step);
        }
        return;
    }
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (canEditCells()) {
            openEditor(nullptr);
            return;
        }
        break;
    case Qt::Key_Escape: {
        db::DataSet* const dataSet = activeDataSet();
        if (dataSet && isEditingState(dataSet->State()) && canEditCells()) {
            move([](db::DataSet& editing) { editing.Cancel(); });
            return;
        }
        break;
    }
    default:
        if (canEditCells() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            && !event->text().isEmpty() && event->text().at(0).isPrint()) {
            const QString typed = event->text();
            openEditor(&typed);
            return;
        }
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
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
    const bool hadFocus = hasFocus() || (m_editor && m_editor->hasFocus());
    if (!hadFocus) {
        setFocus(Qt::MouseFocusReason);
    }
    m_pressedRow = row;
    m_pressedColumn = column;
    if (row == m_currentRow) {
        if (column != m_currentColumn) {
            moveToColumn(column);
        } else if (hadFocus && !isEditing()) {
            openEditor(nullptr); // a click on the current cell opens it for editing
        }
        return;
    }
    const db::Bookmark target = m_rows.at(static_cast<size_t>(row)).bookmark;
    moveToColumn(column);
    if (target.isValid()) {
        move([&](db::DataSet& dataSet) {
            if (!dataSet.GotoBookmark(target)) {
                reload(m_currentRow); // the row has gone meanwhile
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
    if (m_editor && QApplication::focusWidget() == m_editor) {
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
    closeEditor(false);
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
        reload(m_currentRow);
    } else {
        updateScrollBars();
        placeEditor();
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
        reload(m_currentRow);
    }
}

void DBGrid::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int left = -horizontalScrollBar()->value();
    const int titles = titleHeight();
    const int height = rowHeight();
    const int rowsBottom = titles + rowCount() * height;
    const bool focused = hasFocus() || (m_editor && m_editor->hasFocus());
    const bool showSelection = focused || m_options.testFlag(Option::AlwaysShowSelection);
    const bool rowSelect = m_options.testFlag(Option::RowSelect);
    const QColor lines = colours.color(QPalette::Mid);

    if (titles > 0) {
        int x = left;
        for (const ShownColumn& column : m_shownColumns) {
            const QRect cell(x, 0, column.width, titles);
            painter.fillRect(cell, colours.button());
            painter.setPen(lines);
            painter.drawLine(cell.topRight(), cell.bottomRight());
            painter.drawLine(cell.bottomLeft(), cell.bottomRight());
            painter.setPen(m_titleColor.isValid() ? m_titleColor : colours.color(QPalette::ButtonText));
            painter.drawText(cell.adjusted(cellPadding, 0, -cellPadding, 0),
                static_cast<int>(column.titleAlignment) | Qt::TextSingleLine, column.title);
            x += column.width;
        }
    }
    for (int row = 0; row < rowCount(); ++row) {
        int x = left;
        for (int column = 0; column < columnCount(); ++column) {
            const ShownColumn& shown = m_shownColumns.at(static_cast<size_t>(column));
            const QRect cell(x, titles + row * height, shown.width, height);
            const bool highlighted = row == m_currentRow && showSelection && (rowSelect || column == m_currentColumn);
            if (highlighted) {
                painter.fillRect(cell, colours.highlight());
            }
            painter.setPen(colours.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
            const QRect textArea = cell.adjusted(cellPadding, 0, -cellPadding, 0);
            const QString text = cellText(row, column).section(QLatin1Char('\n'), 0, 0);
            painter.drawText(textArea, static_cast<int>(shown.alignment) | Qt::TextSingleLine,
                painter.fontMetrics().elidedText(text, Qt::ElideRight, textArea.width()));
            x += shown.width;
        }
    }
    painter.setPen(lines);
    if (m_options.testFlag(Option::ColLines)) {
        int x = left;
        for (const ShownColumn& column : m_shownColumns) {
            x += column.width;
            painter.drawLine(x - 1, titles, x - 1, rowsBottom - 1);
        }
    }
    if (m_options.testFlag(Option::RowLines)) {
        const int right = left + totalWidth() - 1;
        for (int row = 1; row <= rowCount(); ++row) {
            painter.drawLine(left, titles + row * height - 1, right, titles + row * height - 1);
        }
    }
}

} // namespace ui
