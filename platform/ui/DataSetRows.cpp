#include "platform/ui/DataSetRows.h"

#include "platform/db/DataSet.h"

#include <iterator>

namespace ui {

namespace {

constexpr int chunk = 256;

} // namespace

std::vector<db::RecordRow> readAllRows(const db::DataSet& dataSet)
{
    std::vector<db::RecordRow> rows;
    // Without a bookmark the reading starts at the first row; each further chunk follows the last row read.
    db::Bookmark from;
    for (;;) {
        std::vector<db::RecordRow> read = dataSet.readRows(from, chunk, true);
        if (read.empty()) {
            break;
        }
        from = read.back().bookmark;
        const bool last = static_cast<int>(read.size()) < chunk;
        std::move(read.begin(), read.end(), std::back_inserter(rows));
        if (last) {
            break;
        }
    }
    return rows;
}

} // namespace ui
