#pragma once

#include "platform/db/Bookmark.h"
#include "platform/db/DataSetState.h"
#include "platform/db/Field.h"
#include "platform/db/LocateOptions.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace db {

class LinkedWrite;
class Session;

// A cursor over rows in an order: a table (Table) or a query result (Query). It holds one current row and the
// state Inactive / Browse / Edit / Insert. It never loads every row to open or to move: rows are read in small
// windows around the current one, so a million-row table opens, scrolls and jumps to its end as fast as a small one.
//
// Navigation follows the usual rules: Next on the last row sets Eof and stays; Prior on the first sets Bof and
// stays; an empty data set is both Bof and Eof. Moving off a row in Edit/Insert state posts it when a field
// was changed and cancels it otherwise.
//
// Observers (data sources, controls) follow the signals; the events (BeforeEdit, AfterPost, ...) are the
// handlers a form assigns. An exception thrown by an event handler aborts the operation that raised it.
class DataSet : public QObject
{
    Q_OBJECT

public:
    using Event = std::function<void(DataSet&)>;

    explicit DataSet(QObject* parent = nullptr);
    ~DataSet() override;

    void setSession(Session& session) { m_session = &session; }
    Session& session() const { return *m_session; }

    // Lifecycle
    void Open();
    void Close();
    bool Active() const { return m_state != DataSetState::Inactive; }
    void setActive(bool active);
    DataSetState State() const { return m_state; }

    // Fields. Fields added before Open are the persistent fields: only they appear, in the order added. Without
    // any, every stored field appears in stored order. Adding a field the source lacks fails at Open.
    Field& addField(const QString& name);
    Field* FindField(const QString& name) const; // nullptr when absent; case-insensitive
    Field& FieldByName(const QString& name) const; // EngineError "Field 'x' not found" when absent
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    Field& fieldAt(int index) const { return *m_fields.at(static_cast<size_t>(index)); }
    bool hasPersistentFields() const { return m_persistentFields; }

    // Navigation
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance); // returns the distance moved
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    bool IsEmpty() const;
    qint64 RecordCount() const;
    qint64 RecNo() const; // 1-based position of the current row in the current order; 0 when empty
    void setRecNo(qint64 recNo);

    // Bookmarks and display windows: grids read the rows around the current one without moving it.
    Bookmark GetBookmark() const;
    bool GotoBookmark(const Bookmark& bookmark); // false when the row no longer exists
    // Up to `count` rows after (forward) or before `from`, excluding it, listed in the data set's order (so the
    // rows before come first-to-last, ending with the one just before `from`). An invalid bookmark reads from the
    // first row (forward) or up to the last row.
    std::vector<RecordRow> readRows(const Bookmark& from, int count, bool forward) const;
    // The row `offset` rows on from `from` (the row itself at 0; an invalid bookmark counts from the first row),
    // and how many rows lie from `from` (included) up to `to` (excluded), counted no further than `limit`. Both
    // step through the order's index without reading the records between, and neither moves the data set: a grid
    // places its scroll bar's thumb with them.
    std::optional<RecordRow> readRowFrom(const Bookmark& from, qint64 offset) const;
    qint64 countRows(const Bookmark& from, const Bookmark& to, qint64 limit) const;
    QVariantList currentValues() const;

    // Editing. Read-only data sets (query results, text tables) refuse with an EngineError.
    virtual bool CanModify() const;
    void Edit();
    void Insert();
    void Append();
    void Post(); // a required field left empty: EngineError "Field '%s' must have a value"; stays in edit
    void Cancel();
    void Delete();
    bool Modified() const { return m_modified; }
    void CheckBrowseMode(); // posts a changed row, cancels an unchanged one

    // Finds the first row in the current order whose field matches; makes it current and returns true, else
    // returns false and leaves the current row.
    bool Locate(const QString& fieldName, const QVariant& value, LocateOptions options = {});

    // While controls are disabled the data set emits no signals; EnableControls emits one dataChanged.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Events, assigned by forms.
    Event BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    Event BeforeEdit, BeforeInsert, AfterInsert, BeforePost, AfterPost, AfterCancel, BeforeDelete, AfterDelete;
    Event AfterScroll;

signals:
    void activeChanged();
    void stateChanged();
    void scrolled(); // the current row changed
    void fieldChanged(db::Field* field); // a value of the current record was set
    void dataChanged(); // rows were reread (open, refresh, post, delete, enable controls)

public:
    // What a concrete data set reads its rows through; the engine's own (DataSetCursor.h).
    class Cursor;

protected:
    virtual std::unique_ptr<Cursor> openCursor() = 0;
    void notify(void (DataSet::*signal)());

    Cursor* cursor() const { return m_cursor.get(); }
    void checkActive() const;
    // Reads the rows anew: on the current row where it still exists (else the next, else the last), or on the
    // first row. Emits dataChanged and runs AfterScroll.
    void reload(bool keepPosition);
    // The values of a row that Insert/Append starts, in source order (all blank unless a subclass fills some).
    virtual void initNewRecord(QVariantList& values);
    // How messages name this data set.
    virtual QString describe() const;
    // A transaction that a post's write and its AfterPost handler share, committed only when both succeed; null
    // when the write commits on its own and AfterPost follows it.
    virtual std::unique_ptr<LinkedWrite> beginPostTransaction();

private:
    friend class Field;

    static constexpr int WindowRows = 64; // rows read per query
    static constexpr int MaxWindowRows = 256; // rows kept around the current one

    void bindFields();
    void setFieldValue(int fieldIndex, const QVariant& value);
    int columnOf(int fieldIndex) const { return m_fieldColumns.at(static_cast<size_t>(fieldIndex)); }
    QVariantList blankRow() const;
    QVariantList toFieldOrder(const QVariantList& row) const;
    void loadBuffer();
    void loadFirst();
    void loadLast();
    void positionAt(const Bookmark& bookmark);
    void positionOn(RecordRow row);
    bool stepForward();
    bool stepBackward();
    void scrolledTo();
    void setState(DataSetState state);
    void writePosted();
    // What a post that is rolled back puts back: the row being edited, with the user's values.
    struct EditingState
    {
        DataSetState state;
        std::vector<RecordRow> window;
        int current;
        QVariantList buffer;
        std::vector<bool> changed;
        bool bof;
        bool eof;
        bool modified;
    };
    EditingState editingState() const;
    void restoreEditing(EditingState saved);
    static void fire(const Event& event, DataSet& dataSet);

    Session* m_session;
    DataSetState m_state = DataSetState::Inactive;
    std::vector<std::unique_ptr<Field>> m_fields;
    bool m_persistentFields = false; // fields added by addField, kept across Close/Open
    std::vector<int> m_fieldColumns; // field index -> source column
    std::unique_ptr<Cursor> m_cursor;
    std::vector<RecordRow> m_window; // rows read around the current one, in order
    int m_current = -1; // index of the current row in m_window; -1 when there is none
    QVariantList m_buffer; // the current record, or the record being edited, in source order
    std::vector<bool> m_changed; // source columns set since Edit/Insert
    bool m_bof = true;
    bool m_eof = true;
    bool m_modified = false;
    int m_disableCount = 0;
};

} // namespace db
