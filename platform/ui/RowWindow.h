#pragma once

#include "platform/db/Bookmark.h"

#include <vector>

namespace db {
class DataSet;
} // namespace db

namespace ui {

// The rows a grid shows: a window of rows around the data set's current row, read through bookmarks, never the
// whole data set, so that a grid over a million rows moves, pages and jumps to its end as quickly as one over
// fifty. Plain logic without a widget: the grid asks it for rows and paints them.
class RowWindow
{
public:
    // Reads the window anew: `visible` rows with the current row at `place` (0 is the top) where the data set's
    // ends allow. A row being inserted stands before the row that was current when the insert began.
    void reload(const db::DataSet* dataSet, int place, int visible);
    // Where the current row stands after the data set moved: its place when the window shows it, the top or
    // bottom when it is the row just beyond that edge (a step scrolls by one), `fallback` otherwise.
    int placeAfterMove(const db::DataSet& dataSet, int visible, int fallback) const;
    void clear();

    int size() const { return static_cast<int>(m_rows.size()); }
    const db::RecordRow& row(int index) const { return m_rows.at(static_cast<size_t>(index)); }
    int current() const { return m_current; } // -1 when nothing is shown
    bool atStart() const { return m_atStart; } // the first row shown is the data set's first
    bool atEnd() const { return m_atEnd; } // the last row shown is the data set's last
    // The current row's values changed while it is edited.
    void setCurrentValues(const QVariantList& values);

private:
    void readInserting(const db::DataSet& dataSet, int place, int visible);
    void readAround(const db::DataSet& dataSet, int place, int visible);

    std::vector<db::RecordRow> m_rows; // in the data set's order
    int m_current = -1;
    bool m_atStart = true;
    bool m_atEnd = true;
};

} // namespace ui
