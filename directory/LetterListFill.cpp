#include "directory/LetterListFill.h"

#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>
#include <climits>

namespace LetterListFill {

namespace {

constexpr int firstRows = 256; // the grid grows by doubling while the rows come

} // namespace

QString pattern(int tabIndex)
{
    return QString(QChar(u'A' + tabIndex)) + u'%';
}

qint64 fillNameGrid(QTableWidget& grid, const RowReader& readRow)
{
    // The grid is repainted once, when it is full; and its selection, which the new rows may move, is no choice of
    // an entry by the user.
    const QSignalBlocker quiet(&grid);
    grid.setUpdatesEnabled(false);
    int rows = 0;
    const auto finish = [&grid, &rows] {
        if (rows == 0) {
            grid.setRowCount(1);
            grid.setItem(0, 0, new QTableWidgetItem()); // owned by the grid
            grid.setItem(0, 1, new QTableWidgetItem());
        } else {
            grid.setRowCount(rows);
        }
        grid.setUpdatesEnabled(true);
        grid.viewport()->update();
    };
    try {
        grid.setRowCount(0); // the last fill's items go at once
        QString name;
        QString extension;
        while (rows < INT_MAX && readRow(name, extension)) {
            if (rows == grid.rowCount())
                grid.setRowCount(rows < INT_MAX / 2 ? std::max(firstRows, rows * 2) : INT_MAX);
            {
                // A new cell needs no notice of its own: the view paints the whole grid once it is full.
                const QSignalBlocker cellsQuiet(grid.model());
                grid.setItem(rows, 0, new QTableWidgetItem(name)); // owned by the grid
                grid.setItem(rows, 1, new QTableWidgetItem(extension));
            }
            ++rows;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return rows;
}

} // namespace LetterListFill
