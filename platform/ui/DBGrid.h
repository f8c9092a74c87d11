#pragma once

#include "platform/db/Bookmark.h"
#include "platform/db/DataSetState.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DBGridColumn.h"
#include "platform/ui/GridCellEditor.h"
#include "platform/ui/GridScrollThumb.h"
#include "platform/ui/RowWindow.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QPointer>

#include <functional>
#include <vector>

class QInputMethodEvent;
class QLineEdit;
class QPainter;

namespace db {
class Field;
} // namespace db

namespace ui {

// A grid over the data set of a data source. The current row is the data set's: moving in the grid (keys, clicks,
// the scroll bar, the wheel) moves the data set, and moving the data set moves the grid's highlight.
//
// It is not a QTableView: a view over a model wants row numbers, and a large data set cannot give them cheaply.
// The grid keeps a window of rows read through bookmarks around the current row (RowWindow), and its scroll bar's
// thumb stands at the current row's place in the whole order (GridScrollThumb).
//
// Columns keep their widths; when they are narrower than the grid together, the last one widens to its right
// edge, and when they are wider, the grid scrolls sideways. A last column that stretches takes only the width
// the others leave it, down to its least width. A new set of rows (a master that moved) shows from
// the first column again.
//
// With cell editing on (and whole-row selection off) typing into a cell opens its editor (GridCellEditor) over the
// cell and changes the field under the data set's rules: typing starts Edit when the data source allows it, and
// moving to another row posts. In the editor, Enter closes the cell, Esc gives back its value, the arrow keys up
// and down, the page keys and a click on another row move (and post). Keys the editor has no use for (a modifier
// alone, a dead key) leave it open. Ctrl+Delete deletes the current row, after asking "Delete record?" when
// confirmation is on.
//
// Tab: with the Tabs option it moves from cell to cell and leaves the grid after the last cell of the row (before
// the first with Shift+Tab); in a grid without cells to move between (whole-row selection) it leaves the grid at
// once; in a grid that neither edits nor selects whole rows it moves on to the next row's cells and stays.
// Without the option Tab always leaves the grid.
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
        Indicator = 0x200, // a narrow first column marks the current row: browsing, editing or inserting
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
    int rowCount() const { return m_window.size(); } // rows shown
    int currentRow() const { return m_window.current(); } // -1 when nothing is shown
    QString cellText(int row, int column) const;
    QRect cellRect(int row, int column) const; // in viewport coordinates
    QLineEdit* editor() const { return m_cellEditor.lineEdit(); }
    bool isEditing() const { return m_cellEditor.isOpen(); }
    int indicatorWidth() const; // 0 without the Indicator option

signals:
    void cellClicked(int column);
    void doubleClicked();
    void entered(); // the focus came into the grid (or its cell editor) from outside
    void exited(); // the focus left the grid and its cell editor

protected:
    bool event(QEvent* event) override;
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
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    struct ShownColumn
    {
        QString fieldName;
        QString title;
        int width = 0; // as given or from the field
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
    void fitColumns();
    void reload(int position);
    void onDataChanged();
    void onScrolled();
    void onStateChanged();
    void trackState();
    void onFieldChanged();
    void updateScrollBars();
    void updateThumb();
    void onScrollAction(int action);
    void ensureColumnVisible(int column);
    void showFirstColumn();

    void move(const std::function<void(db::DataSet&)>& operation);
    void moveToColumn(int column);
    void pressTab(bool forward);
    void leaveGrid(bool forward);
    void deleteCurrentRow();
    bool canEditCells() const;
    bool beginEdit();
    bool mayChangeCell();
    void openEditor(const QString* typed);
    void placeEditor();
    void onEditorKey(QKeyEvent* event);
    bool handleGridKey(QKeyEvent* event);
    void focusArrived();
    void focusLeft();
    void paintTitles(QPainter& painter, int left) const;
    void paintIndicator(QPainter& painter) const;

    QPointer<db::DataSource> m_source;
    Options m_options;
    bool m_readOnly = false;
    QList<DBGridColumn> m_columns;
    std::vector<ShownColumn> m_shownColumns;
    int m_lastColumnExtra = 0; // what the last column gains to reach the grid's right edge
    QColor m_titleColor;

    RowWindow m_window;
    GridScrollThumb m_thumb { *verticalScrollBar() };
    int m_currentColumn = 0;
    db::DataSetState m_lastState = db::DataSetState::Inactive;
    int m_lastVisibleRows = 0;

    GridCellEditor m_cellEditor { *this, [this] { return columnField(m_currentColumn); },
        [this] { return mayChangeCell(); } };
    bool m_focusInside = false;
    bool m_focusedByClick = false; // the focus came in with the mouse press being handled
    int m_pressedRow = -1;
    int m_pressedColumn = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DBGrid::Options)

} // namespace ui
