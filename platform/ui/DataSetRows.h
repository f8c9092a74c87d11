#pragma once

#include "platform/db/Bookmark.h"

#include <vector>

namespace db {
class DataSet;
}

namespace ui {

// Every row of a data set in its order, read through bookmarks so that the data set does not move (its controls
// and events see nothing). For short lists such as a lookup's choices.
std::vector<db::RecordRow> readAllRows(const db::DataSet& dataSet);

} // namespace ui
