#include "platform/ui/RowWindow.h"

#include "platform/db/DataSet.h"

#include <algorithm>

namespace ui {

namespace {

bool sameRow(const db::Bookmark& left, const db::Bookmark& right)
{
    return left.isValid() && right.isValid() && left.id == right.id;
}

// The rows beside a bookmark in one direction, nearest first, without the bookmarked row itself.
std::vector<db::RecordRow> neighbours(const db::DataSet& dataSet, const db::Bookmark& from, int count, bool forward)
{
    if (count <= 0 || !from.isValid()) {
        return {};
    }
    std::vector<db::RecordRow> rows = dataSet.readRows(from, count, forward);
    if (!forward) {
        std::reverse(rows.begin(), rows.end()); // they come in the data set's order
    }
    return rows;
}

} // namespace

void RowWindow::clear()
{
    m_rows.clear();
    m_current = -1;
    m_atStart = true;
    m_atEnd = true;
}

void RowWindow::reload(const db::DataSet* dataSet, int place, int visible)
{
    clear();
    if (!dataSet || !dataSet->Active() || visible <= 0) {
        return;
    }
    const int clamped = std::clamp(place, 0, visible - 1);
    if (dataSet->State() == db::DataSetState::Insert) {
        readInserting(*dataSet, clamped, visible);
    } else if (!dataSet->IsEmpty()) {
        readAround(*dataSet, clamped, visible);
    }
}

void RowWindow::readInserting(const db::DataSet& dataSet, int place, int visible)
{
    // The data set still names the row that was current when the insert began as its position.
    const db::Bookmark anchor = dataSet.GetBookmark();
    std::vector<db::RecordRow> before = neighbours(dataSet, anchor, place + 1, false);
    const db::Bookmark justBefore = before.empty() ? db::Bookmark {} : before.front().bookmark;
    m_atStart = static_cast<int>(before.size()) <= place;
    before.resize(std::min(before.size(), static_cast<size_t>(place)));
    m_rows.assign(before.rbegin(), before.rend());
    m_current = size();
    m_rows.push_back(db::RecordRow { db::Bookmark {}, dataSet.currentValues() });
    m_atEnd = true;
    if (anchor.isValid()) {
        // From the row before the anchor (or from the start), so that the anchor itself comes first; one row more
        // tells whether the window reaches the end.
        const int room = visible - size();
        std::vector<db::RecordRow> after = dataSet.readRows(justBefore, room + 1, true);
        m_atEnd = static_cast<int>(after.size()) <= room;
        after.resize(std::min(after.size(), static_cast<size_t>(std::max(room, 0))));
        for (db::RecordRow& row : after) {
            m_rows.push_back(std::move(row));
        }
    }
}

void RowWindow::readAround(const db::DataSet& dataSet, int place, int visible)
{
    const db::Bookmark current = dataSet.GetBookmark();
    int wantBefore = place;
    int wantAfter = visible - 1 - place;
    // One row more than shown on each side tells whether the window reaches the data set's ends.
    std::vector<db::RecordRow> before = neighbours(dataSet, current, wantBefore + 1, false);
    std::vector<db::RecordRow> after = neighbours(dataSet, current, wantAfter + 1, true);
    if (static_cast<int>(after.size()) <= wantAfter && static_cast<int>(before.size()) > wantBefore) {
        wantBefore = visible - 1 - static_cast<int>(after.size());
        before = neighbours(dataSet, current, wantBefore + 1, false);
    } else if (static_cast<int>(before.size()) <= wantBefore && static_cast<int>(after.size()) > wantAfter) {
        wantAfter = visible - 1 - static_cast<int>(before.size());
        after = neighbours(dataSet, current, wantAfter + 1, true);
    }
    m_atStart = static_cast<int>(before.size()) <= wantBefore;
    m_atEnd = static_cast<int>(after.size()) <= wantAfter;
    before.resize(std::min(before.size(), static_cast<size_t>(wantBefore)));
    after.resize(std::min(after.size(), static_cast<size_t>(wantAfter)));
    m_rows.assign(before.rbegin(), before.rend());
    m_current = size();
    m_rows.push_back(db::RecordRow { current, dataSet.currentValues() });
    for (db::RecordRow& row : after) {
        m_rows.push_back(std::move(row));
    }
}

int RowWindow::placeAfterMove(const db::DataSet& dataSet, int visible, int fallback) const
{
    const db::Bookmark current = dataSet.GetBookmark();
    for (int index = 0; index < size(); ++index) {
        if (sameRow(row(index).bookmark, current)) {
            return index;
        }
    }
    if (!m_rows.empty()) {
        const std::vector<db::RecordRow> below = neighbours(dataSet, m_rows.back().bookmark, 1, true);
        if (!below.empty() && sameRow(below.front().bookmark, current)) {
            return visible - 1;
        }
        const std::vector<db::RecordRow> above = neighbours(dataSet, m_rows.front().bookmark, 1, false);
        if (!above.empty() && sameRow(above.front().bookmark, current)) {
            return 0;
        }
    }
    return fallback;
}

void RowWindow::setCurrentValues(const QVariantList& values)
{
    if (m_current >= 0) {
        m_rows.at(static_cast<size_t>(m_current)).values = values;
    }
}

} // namespace ui
