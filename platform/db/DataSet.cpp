#include "platform/db/DataSet.h"

#include "platform/db/DataSetCursor.h"
#include "platform/db/EngineError.h"
#include "platform/db/LinkedWrite.h"
#include "platform/db/Session.h"
#include "platform/db/StoredValue.h"

#include <algorithm>

namespace db {

Bookmark DataSet::Cursor::post(
    const Bookmark* /*existing*/, const QVariantList& /*values*/, const std::vector<bool>& /*changed*/)
{
    throw EngineError(QStringLiteral("%1 is read-only: its rows cannot be changed").arg(name()));
}

void DataSet::Cursor::remove(const Bookmark& /*bookmark*/)
{
    throw EngineError(QStringLiteral("%1 is read-only: its rows cannot be deleted").arg(name()));
}

std::optional<RecordRow> DataSet::Cursor::rowFrom(const Bookmark& from, qint64 offset)
{
    if (offset < 0)
        return std::nullopt;
    return rowAt((from.isValid() ? position(from) : 0) + offset);
}

qint64 DataSet::Cursor::countBetween(const Bookmark& from, const Bookmark& to, qint64 limit)
{
    if (!to.isValid())
        return 0;
    const qint64 start = from.isValid() ? position(from) : 0;
    return std::clamp<qint64>(position(to) - start, 0, std::max<qint64>(limit, 0));
}

DataSet::DataSet(QObject* parent)
    : QObject(parent)
    , m_session(&Session::defaultSession())
{
}

DataSet::~DataSet() = default;

void DataSet::notify(void (DataSet::*signal)())
{
    if (m_disableCount == 0)
        (this->*signal)();
}

void DataSet::fire(const Event& event, DataSet& dataSet)
{
    if (event)
        event(dataSet);
}

QString DataSet::describe() const
{
    if (m_cursor)
        return m_cursor->name();
    return objectName().isEmpty() ? QStringLiteral("the data set") : objectName();
}

void DataSet::checkActive() const
{
    if (!Active())
        throw EngineError(QStringLiteral("Cannot perform this operation on a closed data set (%1)").arg(describe()));
}

void DataSet::initNewRecord(QVariantList& /*values*/) { }

std::unique_ptr<LinkedWrite> DataSet::beginPostTransaction()
{
    return nullptr;
}

// Lifecycle

void DataSet::Open()
{
    if (Active())
        return;
    fire(BeforeOpen, *this);
    m_cursor = openCursor();
    try {
        bindFields();
        m_state = DataSetState::Browse;
        m_modified = false;
        loadFirst();
    } catch (...) {
        m_state = DataSetState::Inactive;
        m_window.clear();
        m_current = -1;
        m_buffer.clear();
        m_cursor.reset();
        throw;
    }
    notify(&DataSet::activeChanged);
    notify(&DataSet::stateChanged);
    notify(&DataSet::dataChanged);
    fire(AfterOpen, *this);
    if (m_current >= 0)
        fire(AfterScroll, *this);
}

void DataSet::Close()
{
    if (!Active())
        return;
    CheckBrowseMode();
    fire(BeforeClose, *this);
    m_state = DataSetState::Inactive;
    m_cursor.reset();
    m_window.clear();
    m_current = -1;
    m_buffer.clear();
    m_changed.clear();
    m_bof = true;
    m_eof = true;
    m_modified = false;
    notify(&DataSet::activeChanged);
    notify(&DataSet::stateChanged);
    notify(&DataSet::dataChanged);
    fire(AfterClose, *this);
}

void DataSet::setActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

// Fields

Field& DataSet::addField(const QString& name)
{
    if (Active())
        throw EngineError(QStringLiteral("Cannot add field '%1' to %2 while it is open").arg(name, describe()));
    if (!m_persistentFields) {
        m_fields.clear();
        m_persistentFields = true;
    }
    if (Field* existing = FindField(name))
        return *existing;
    m_fields.push_back(std::make_unique<Field>(*this, FieldCount(), name, FieldType::Alpha, 0));
    return *m_fields.back();
}

Field* DataSet::FindField(const QString& name) const
{
    for (const auto& field : m_fields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

Field& DataSet::FieldByName(const QString& name) const
{
    if (Field* field = FindField(name))
        return *field;
    throw EngineError(QStringLiteral("Field '%1' not found in %2").arg(name, describe()));
}

void DataSet::bindFields()
{
    const QList<FieldDef>& columns = m_cursor->columns();
    const auto columnNamed = [&columns](const QString& name) {
        for (int i = 0; i < columns.size(); ++i) {
            if (columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    };
    std::vector<int> mapping;
    if (m_persistentFields) {
        for (const auto& field : m_fields) {
            const int column = columnNamed(field->FieldName());
            if (column < 0) {
                throw EngineError(
                    QStringLiteral("Field '%1' not found in %2").arg(field->FieldName(), m_cursor->name()));
            }
            field->attach(columns.at(column).type, columns.at(column).size);
            mapping.push_back(column);
        }
    } else {
        const bool same = m_fields.size() == static_cast<size_t>(columns.size())
            && std::equal(m_fields.cbegin(), m_fields.cend(), columns.cbegin(),
                [](const std::unique_ptr<Field>& field, const FieldDef& column) {
                    return field->FieldName() == column.name && field->DataType() == column.type
                        && field->Size() == column.size;
                });
        // Fields of an unchanged structure survive a reopen, so controls holding them stay valid.
        if (!same) {
            m_fields.clear();
            for (int i = 0; i < columns.size(); ++i) {
                const FieldDef& column = columns.at(i);
                m_fields.push_back(std::make_unique<Field>(*this, i, column.name, column.type, column.size));
            }
        }
        for (int i = 0; i < columns.size(); ++i)
            mapping.push_back(i);
    }
    m_fieldColumns = std::move(mapping);
}

void DataSet::setFieldValue(int fieldIndex, const QVariant& value)
{
    const int column = columnOf(fieldIndex);
    m_buffer[column] = value;
    m_changed[static_cast<size_t>(column)] = true;
    m_modified = true;
    if (!ControlsDisabled())
        emit fieldChanged(m_fields.at(static_cast<size_t>(fieldIndex)).get());
}

QVariantList DataSet::blankRow() const
{
    QVariantList row;
    if (m_cursor) {
        for (qsizetype i = 0; i < m_cursor->columns().size(); ++i)
            row.append(QVariant());
    }
    return row;
}

QVariantList DataSet::toFieldOrder(const QVariantList& row) const
{
    QVariantList values;
    values.reserve(FieldCount());
    for (const int column : m_fieldColumns)
        values.append(row.value(column));
    return values;
}

// Rows around the current one

void DataSet::loadBuffer()
{
    m_buffer = m_current >= 0 ? m_window.at(static_cast<size_t>(m_current)).values : blankRow();
    m_changed.assign(static_cast<size_t>(m_buffer.size()), false);
}

void DataSet::loadFirst()
{
    m_window = m_cursor->fetch({}, WindowRows, true);
    m_current = m_window.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_window.empty();
    loadBuffer();
}

void DataSet::loadLast()
{
    m_window = m_cursor->fetch({}, WindowRows, false);
    std::reverse(m_window.begin(), m_window.end());
    m_current = static_cast<int>(m_window.size()) - 1;
    m_eof = true;
    m_bof = m_window.empty();
    loadBuffer();
}

void DataSet::positionAt(const Bookmark& bookmark)
{
    m_window = m_cursor->seek(bookmark, WindowRows);
    if (m_window.empty()) {
        // Nothing at or after the position: the last row, with nothing after it.
        loadLast();
        return;
    }
    m_current = 0;
    m_bof = false;
    m_eof = false;
    loadBuffer();
}

void DataSet::positionOn(RecordRow row)
{
    // Just the row: its neighbours are read when the cursor moves, so a locate costs one indexed lookup.
    m_window.clear();
    m_window.push_back(std::move(row));
    m_current = 0;
    m_bof = false;
    m_eof = false;
    loadBuffer();
}

bool DataSet::stepForward()
{
    if (m_current < 0)
        return false;
    if (static_cast<size_t>(m_current) + 1 < m_window.size()) {
        ++m_current;
        return true;
    }
    std::vector<RecordRow> rows
        = m_cursor->fetch(m_window.at(static_cast<size_t>(m_current)).bookmark, WindowRows, true);
    if (rows.empty())
        return false;
    m_window.insert(m_window.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    ++m_current;
    if (m_window.size() > MaxWindowRows) {
        const auto drop = static_cast<std::ptrdiff_t>(m_window.size() - MaxWindowRows);
        m_window.erase(m_window.begin(), m_window.begin() + drop);
        m_current -= static_cast<int>(drop);
    }
    return true;
}

bool DataSet::stepBackward()
{
    if (m_current < 0)
        return false;
    if (m_current > 0) {
        --m_current;
        return true;
    }
    std::vector<RecordRow> rows = m_cursor->fetch(m_window.front().bookmark, WindowRows, false);
    if (rows.empty())
        return false;
    std::reverse(rows.begin(), rows.end());
    m_current = static_cast<int>(rows.size()) - 1;
    m_window.insert(m_window.begin(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    if (m_window.size() > MaxWindowRows)
        m_window.resize(MaxWindowRows);
    return true;
}

void DataSet::scrolledTo()
{
    notify(&DataSet::scrolled);
    fire(AfterScroll, *this);
}

void DataSet::setState(DataSetState state)
{
    m_state = state;
    notify(&DataSet::stateChanged);
}

// Navigation

void DataSet::First()
{
    checkActive();
    CheckBrowseMode();
    loadFirst();
    scrolledTo();
}

void DataSet::Last()
{
    checkActive();
    CheckBrowseMode();
    loadLast();
    scrolledTo();
}

void DataSet::Next()
{
    checkActive();
    CheckBrowseMode();
    if (!stepForward()) {
        m_eof = true;
        return;
    }
    m_bof = false;
    m_eof = false;
    loadBuffer();
    scrolledTo();
}

void DataSet::Prior()
{
    checkActive();
    CheckBrowseMode();
    if (!stepBackward()) {
        m_bof = true;
        return;
    }
    m_bof = false;
    m_eof = false;
    loadBuffer();
    scrolledTo();
}

int DataSet::MoveBy(int distance)
{
    checkActive();
    CheckBrowseMode();
    int moved = 0;
    if (distance > 0) {
        while (moved < distance && stepForward())
            ++moved;
        if (moved > 0)
            m_bof = false;
        m_eof = moved < distance;
    } else if (distance < 0) {
        while (moved > distance && stepBackward())
            --moved;
        if (moved < 0)
            m_eof = false;
        m_bof = moved > distance;
    }
    if (moved != 0) {
        loadBuffer();
        scrolledTo();
    }
    return moved;
}

bool DataSet::IsEmpty() const
{
    return !Active() || (m_current < 0 && m_state != DataSetState::Insert);
}

qint64 DataSet::RecordCount() const
{
    return Active() ? m_cursor->count() : 0;
}

qint64 DataSet::RecNo() const
{
    if (!Active() || m_current < 0)
        return 0;
    return m_cursor->position(m_window.at(static_cast<size_t>(m_current)).bookmark) + 1;
}

void DataSet::setRecNo(qint64 recNo)
{
    checkActive();
    CheckBrowseMode();
    const std::optional<RecordRow> row = m_cursor->rowAt(std::max<qint64>(recNo, 1) - 1);
    if (row)
        positionAt(row->bookmark);
    else
        loadLast();
    scrolledTo();
}

Bookmark DataSet::GetBookmark() const
{
    if (!Active() || m_current < 0)
        return {};
    return m_window.at(static_cast<size_t>(m_current)).bookmark;
}

bool DataSet::GotoBookmark(const Bookmark& bookmark)
{
    checkActive();
    CheckBrowseMode();
    if (!bookmark.isValid())
        return false;
    std::optional<RecordRow> row = m_cursor->reread(bookmark);
    if (!row)
        return false;
    positionOn(std::move(*row));
    scrolledTo();
    return true;
}

std::vector<RecordRow> DataSet::readRows(const Bookmark& from, int count, bool forward) const
{
    if (!Active() || count <= 0)
        return {};
    std::vector<RecordRow> rows = m_cursor->fetch(from, count, forward);
    if (!forward)
        std::reverse(rows.begin(), rows.end());
    for (RecordRow& row : rows)
        row.values = toFieldOrder(row.values);
    return rows;
}

std::optional<RecordRow> DataSet::readRowFrom(const Bookmark& from, qint64 offset) const
{
    if (!Active())
        return std::nullopt;
    std::optional<RecordRow> row = m_cursor->rowFrom(from, offset);
    if (row)
        row->values = toFieldOrder(row->values);
    return row;
}

qint64 DataSet::countRows(const Bookmark& from, const Bookmark& to, qint64 limit) const
{
    return Active() ? m_cursor->countBetween(from, to, limit) : 0;
}

QVariantList DataSet::currentValues() const
{
    return Active() ? toFieldOrder(m_buffer) : QVariantList();
}

void DataSet::reload(bool keepPosition)
{
    checkActive();
    m_cursor->refresh();
    if (keepPosition && m_current >= 0) {
        const Bookmark bookmark = m_window.at(static_cast<size_t>(m_current)).bookmark;
        const std::optional<RecordRow> row = m_cursor->reread(bookmark);
        positionAt(row ? row->bookmark : bookmark);
    } else {
        loadFirst();
    }
    notify(&DataSet::dataChanged);
    fire(AfterScroll, *this);
}

// Editing

bool DataSet::CanModify() const
{
    return m_cursor && m_cursor->canModify();
}

void DataSet::Edit()
{
    checkActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    if (!CanModify())
        throw EngineError(QStringLiteral("%1 is read-only: its rows cannot be changed").arg(describe()));
    if (m_current < 0) {
        Insert();
        return;
    }
    fire(BeforeEdit, *this);
    // Edit what is stored now, not what was read when the row came into view.
    RecordRow& current = m_window.at(static_cast<size_t>(m_current));
    std::optional<RecordRow> row = m_cursor->reread(current.bookmark);
    if (!row) {
        throw EngineError(
            QStringLiteral("The record no longer exists in %1: another program has deleted it").arg(describe()));
    }
    const bool changed = row->values != current.values;
    current = std::move(*row);
    loadBuffer();
    m_modified = false;
    setState(DataSetState::Edit);
    if (changed)
        notify(&DataSet::dataChanged);
}

void DataSet::Insert()
{
    checkActive();
    CheckBrowseMode();
    if (!CanModify())
        throw EngineError(QStringLiteral("%1 is read-only: rows cannot be added").arg(describe()));
    fire(BeforeInsert, *this);
    m_buffer = blankRow();
    initNewRecord(m_buffer);
    m_changed.assign(static_cast<size_t>(m_buffer.size()), false);
    m_modified = false;
    setState(DataSetState::Insert);
    notify(&DataSet::dataChanged);
    fire(AfterInsert, *this);
}

void DataSet::Append()
{
    // Rows live in the order of their keys, so where the new row is started does not matter.
    Insert();
}

void DataSet::Post()
{
    checkActive();
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    fire(BeforePost, *this);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const Field& field = *m_fields[i];
        if (field.Required() && isBlankValue(m_buffer.value(columnOf(static_cast<int>(i)))))
            throw EngineError(QStringLiteral("Field '%1' must have a value").arg(field.DisplayLabel()));
    }
    std::unique_ptr<LinkedWrite> transaction = beginPostTransaction();
    if (!transaction) {
        writePosted();
        notify(&DataSet::stateChanged);
        notify(&DataSet::dataChanged);
        fire(AfterPost, *this);
        return;
    }
    // The row and what AfterPost writes take effect together: a failure of either rolls both back and leaves the
    // row in edit with the user's values. Observers hear of the post once it is committed.
    EditingState saved = editingState();
    try {
        writePosted();
        fire(AfterPost, *this);
        transaction->commit();
    } catch (...) {
        transaction.reset();
        restoreEditing(std::move(saved));
        throw;
    }
    transaction.reset();
    notify(&DataSet::stateChanged);
    notify(&DataSet::dataChanged);
}

void DataSet::writePosted()
{
    Bookmark posted;
    if (m_state == DataSetState::Edit) {
        const Bookmark& existing = m_window.at(static_cast<size_t>(m_current)).bookmark;
        posted = m_modified ? m_cursor->post(&existing, m_buffer, m_changed) : existing;
    } else {
        posted = m_cursor->post(nullptr, m_buffer, m_changed);
    }
    m_modified = false;
    m_state = DataSetState::Browse;
    positionAt(posted);
}

DataSet::EditingState DataSet::editingState() const
{
    return EditingState { m_state, m_window, m_current, m_buffer, m_changed, m_bof, m_eof, m_modified };
}

void DataSet::restoreEditing(EditingState saved)
{
    m_state = saved.state;
    m_window = std::move(saved.window);
    m_current = saved.current;
    m_buffer = std::move(saved.buffer);
    m_changed = std::move(saved.changed);
    m_bof = saved.bof;
    m_eof = saved.eof;
    m_modified = saved.modified;
    m_cursor->refresh();
}

void DataSet::Cancel()
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    m_state = DataSetState::Browse;
    m_modified = false;
    loadBuffer();
    notify(&DataSet::stateChanged);
    notify(&DataSet::dataChanged);
    fire(AfterCancel, *this);
}

void DataSet::Delete()
{
    checkActive();
    if (m_state == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (!CanModify())
        throw EngineError(QStringLiteral("%1 is read-only: its rows cannot be deleted").arg(describe()));
    if (m_current < 0)
        throw EngineError(QStringLiteral("Cannot delete a record: %1 is empty").arg(describe()));
    fire(BeforeDelete, *this);
    const Bookmark bookmark = m_window.at(static_cast<size_t>(m_current)).bookmark;
    m_cursor->remove(bookmark);
    const bool wasEditing = m_state == DataSetState::Edit;
    m_state = DataSetState::Browse;
    m_modified = false;
    positionAt(bookmark); // the row after the deleted one, else the new last row
    if (wasEditing)
        notify(&DataSet::stateChanged);
    notify(&DataSet::dataChanged);
    fire(AfterDelete, *this);
    scrolledTo();
}

void DataSet::CheckBrowseMode()
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        return;
    if (m_modified)
        Post();
    else
        Cancel();
}

bool DataSet::Locate(const QString& fieldName, const QVariant& value, LocateOptions options)
{
    checkActive();
    CheckBrowseMode();
    int column = -1;
    if (const Field* field = FindField(fieldName)) {
        column = columnOf(field->index());
    } else {
        const QList<FieldDef>& columns = m_cursor->columns();
        for (int i = 0; i < columns.size() && column < 0; ++i) {
            if (columns.at(i).name.compare(fieldName, Qt::CaseInsensitive) == 0)
                column = i;
        }
    }
    if (column < 0)
        throw EngineError(QStringLiteral("Field '%1' not found in %2").arg(fieldName, describe()));
    std::optional<RecordRow> row = m_cursor->locate(column, value, options);
    if (!row)
        return false;
    positionOn(std::move(*row));
    scrolledTo();
    return true;
}

void DataSet::DisableControls()
{
    ++m_disableCount;
}

void DataSet::EnableControls()
{
    if (m_disableCount > 0 && --m_disableCount == 0)
        emit dataChanged();
}

} // namespace db
