#pragma once

#include <QString>

#include <functional>

class QTableWidget;

// How the letter lists are filled: the LIKE pattern of a letter tab, and the filling of the employee list's grid
// from rows read one after another.
namespace LetterListFill {

// The pattern of the letter tab at `tabIndex` (0 "A" to 25 "Z"): the letter followed by "%".
QString pattern(int tabIndex);

// Reads the next row into name and extension; false at the end of the rows.
using RowReader = std::function<bool(QString& name, QString& extension)>;

// Fills the two-column grid with one row per row read, in order, and returns the count; no rows gives one row of
// two empty cells. The count comes from the reading itself: asking a query for it first would run the query twice.
// When the reader fails part way, the grid keeps the rows read so far and the error goes on to the caller.
qint64 fillNameGrid(QTableWidget& grid, const RowReader& readRow);

} // namespace LetterListFill
