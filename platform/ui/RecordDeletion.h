#pragma once

class QWidget;

namespace db {
class DataSet;
} // namespace db

namespace ui {

// Deletes the data set's current row, first asking "Delete record?" (OK and Cancel) when `confirm` is set; a row
// being inserted is not stored yet, so dropping it is its deletion. Returns whether the row went. Errors of the
// data set are thrown. The one deletion step of the navigator's Delete button and a grid's Ctrl+Delete.
bool deleteRecord(db::DataSet& dataSet, bool confirm, QWidget* parent);

} // namespace ui
