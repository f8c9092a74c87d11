#pragma once

#include "platform/db/Bookmark.h"
#include "platform/db/DataSetState.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DBGridColumn.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QPointer>

#include <functional>
#include <vector>

class QLineEdit;

namespace db {
class Field;
} // namespace db

namespace ui {

// A grid over the data set of a data source. It shows a window of rows around the data set's current row,
// read through bookmarks, never the whole data set: a grid over a million rows moves, pages and jumps to
// its end as quickly as one over fifty. The current row is the data set's: moving in the grid (keys, clicks,
// the scroll bar, the wheel) moves the data set, and moving the data set moves the grid's highlight.
//
// With cell editing on (and whole-row selection off) typing into a cell changes the field under the data
// set's rules: typing starts Edit when the data source allows it, and moving to another row posts. Ctrl+Delete
// deletes the current row, after asking "Delete record?" when confirmation is on.
class DBGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    enum class Option
    {
        Editing = 0x1, // cells can be edited
        Titles = 0x2, // a title row above the columns
        ColLines = 0x4,
        RowLines = 0x8,
        Tabs = 0x10, // Tab moves between cells instead of leaving the grid
        RowSelect = 0x20, // the whole current row is highlighted; no cell editing
        AlwaysShowSelection = 0x40, // the highlight stays when the grid has no focus
        ConfirmDelete = 0x80, // Ctrl+Delete asks first
        CancelOnExit = 0x100, // an inserted row left unchanged is dropped when the focus leaves the grid
    };
    Q_DECLARE_FLAGS(Options, Option)

    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    db::DataSource* DataSource() const { return m_source; }
    void setDataSource(db::DataSource* source);
    Options options() const { return m_options; }
    void setOptions(Options options);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // No columns given: every visible field of the data set, in its order, with its label and width.
    const QList<DBGridColumn>& Columns() const { return m_columns; }
    void setColumns(const QList<DBGridColumn>& columns);
    void setTitleColor(const QColor& color);

    // What the grid shows, for forms and tests.
    int columnCount() const { return static_cast<int>(m_shownColumns.size()); }
    QString columnTitle(int column) const;
    int columnWidth(int column) const;
    int currentColumn() const { return m_currentColumn; }
    int visibleRowCount() const; // rows that fit
    int rowCount() const { return static_cast<int>(m_rows.size()); } // rows shown
    int currentRow() const { return m_currentRow; } // -1 when nothing is shown
    QString cellText(int row, int column) const;
    QRect cellRect(int row, int column) const; // in viewport coordinates
    QLineEdit* editor() const { return m_editor; }
    bool isEditing() const;

signals:
    void cellClicked(int column);
    void doubleClicked();
    void entered(); // the focus came into the grid (or its cell editor) from outside
    void exited(); // the focus left the grid and its cell editor

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    struct ShownColumn
    {
        QString fieldName;
        QString title;
        int width = 0;
        Qt::Alignment titleAlignment;
        Qt::Alignment alignment;
        int valueIndex = -1; // position of the field's value in a row read from the data set
    };

    db::DataSet* activeDataSet() const;
    db::Field* columnField(int column) const;
    int rowHeight() const;
    int titleHeight() const;
    int rowAt(int y) const;
    int columnAt(int x) const;
    int columnLeft(int column) const;
    int totalWidth() const;

    void resolveColumns();
    void reload(int position);
    void onScrolled();
    void onStateChanged();
    void trackState();
    void onFieldChanged();
    void updateScrollBars();
    int scrollValue() const;
    void onScrollAction(int action);
    void onSliderReleased();
    void ensureColumnVisible(int column);

    void move(const std::function<void(db::DataSet&)>& operation);
    void moveToColumn(int column);
    void tabToCell(bool forward);
    void deleteCurrentRow();
    bool canEditCells() const;
    bool beginEdit();
    void openEditor(const QString* typed);
    void closeEditor(bool restore);
    void placeEditor();
    void syncEditor();
    void onEditorEdited(const QString& text);
    bool handleEditorKey(QKeyEvent* event);
    void focusArrived();
    void focusLeft();

    QPointer<db::DataSource> m_source;
    Options m_options;
    bool m_readOnly = false;
    QList<DBGridColumn> m_columns;
    std::vector<ShownColumn> m_shownColumns;
    QColor m_titleColor;

    std::vector<db::RecordRow> m_rows; // the window of rows shown, in the data set's order
    int m_currentRow = -1;
    int m_currentColumn = 0;
    bool m_windowAtStart = true; // the first row shown is the data set's first row
    bool m_windowAtEnd = true; // the last row shown is the data set's last row
    db::DataSetState m_lastState = db::DataSetState::Inactive;
    int m_lastVisibleRows = 0;

    QLineEdit* m_editor = nullptr;
    QString m_editorOriginal;
    bool m_focusInside = false;
    bool m_forwardingKey = false; // a key is on its way to the cell editor
    int m_pressedRow = -1;
    int m_pressedColumn = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DBGrid::Options)

} // namespace ui
