#pragma once

#include "platform/db/Bookmark.h"

#include <optional>
#include <vector>

namespace db {
class DataSet;
} // namespace db

namespace ui {

// The place of a row in the whole of a data set's order (0 for the first row), and the row at a place, for a
// grid's scroll bar. Neither reads every row: a sample of bookmarks at evenly spaced places is taken (a walk over
// the order's index that steps over the records between), and a place is then counted from the nearest sample,
// a few thousand index entries at most. The sample is taken a few bookmarks at a time (sampleMore), so that a
// program can spread it over idle moments; until it is complete, places past it are counted from its last
// bookmark, exactly but more slowly. Changes to the rows shift the sampled places until the sample is taken
// again (forget), which keeps them an estimate close enough for a thumb.
class RowPlaces
{
public:
    void forget(); // the rows changed: the next question takes a new sample

    // Takes up to `samples` more bookmarks of the sample; returns whether the sample is complete.
    bool sampleMore(const db::DataSet& dataSet, int samples);
    bool complete() const { return m_complete; }

    qint64 count(const db::DataSet& dataSet);
    qint64 placeOf(const db::DataSet& dataSet, const db::Bookmark& bookmark);
    std::optional<db::RecordRow> rowAt(const db::DataSet& dataSet, qint64 place);

private:
    void begin(const db::DataSet& dataSet);
    int sampleBefore(const db::DataSet& dataSet, const db::Bookmark& bookmark) const;

    bool m_started = false;
    bool m_complete = false;
    qint64 m_count = 0;
    qint64 m_step = 1;
    std::vector<db::Bookmark> m_samples; // the rows at places 0, step, 2 * step, ...
};

} // namespace ui
