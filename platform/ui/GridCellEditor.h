#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractScrollArea;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QRect;

namespace db {
class Field;
} // namespace db

namespace ui {

// The in-place editor of a grid's cell: a line edit over the cell, on the grid's viewport (made when a cell first
// opens), that writes every change into the cell's field at once, under its data set's rules. Enter closes the
// cell as typed; Esc closes it and gives the field back the value it held when the cell opened. Keys that move to
// another row or out of the cell (Tab, the arrow keys up and down, the page keys, Ctrl+Home, Ctrl+End,
// Ctrl+Delete) close it and go on to the grid. Keys it has no use for (a modifier alone, a dead key) end in the
// editor and leave it open: handed on to the grid they would close the cell, and the next key would open a new
// one over the text typed so far.
class GridCellEditor : public QObject
{
    Q_OBJECT

public:
    // `field` gives the field of the cell the grid has current (null when there is none); `mayChange` says whether
    // that field may change now, starting its data set's Edit where the rules allow.
    GridCellEditor(QAbstractScrollArea& grid, std::function<db::Field*()> field, std::function<bool()> mayChange);

    QLineEdit* lineEdit() const; // null until a cell first opens
    bool isOpen() const;
    bool hasFocus() const;

    // Opens over `cell` (viewport coordinates) with the field's value selected, or with `typed` in its place,
    // written into the field at once.
    void open(const QRect& cell, const QString* typed);
    // Closes the cell, keeping what was typed in the field or (`restore`) giving it back its value.
    void close(bool restore);
    // Moves the open cell over `cell`; a cell out of sight (empty) closes it.
    void place(const QRect& cell);
    // An open cell that no longer shows its field's value was overtaken by a change from elsewhere (a navigator's
    // insert, a post that moved the row): it shows the new value, so that what is typed next is not added to the
    // old text.
    void sync();
    // A key or composed text that reached the grid while the cell is open.
    void takeKey(QKeyEvent* event);
    void takeInput(QInputMethodEvent* event);

signals:
    void gridKeyPressed(QKeyEvent* event); // a key for the grid; the cell has closed
    void focusEntered();
    void focusLeft(); // to somewhere other than the grid

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);
    void onEdited(const QString& text);

    QAbstractScrollArea& m_grid;
    std::function<db::Field*()> m_field;
    std::function<bool()> m_mayChange;
    QPointer<QLineEdit> m_lineEdit; // owned by the grid's viewport
    QString m_original; // the field's value when the cell opened
};

} // namespace ui
