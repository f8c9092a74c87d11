#include "platform/ui/RowPlaces.h"

#include "platform/db/DataSet.h"

#include <algorithm>

namespace ui {

namespace {

// A few hundred samples: each place is then counted over at most a few thousand index entries of a million.
constexpr qint64 maxSamples = 256;
constexpr qint64 minStep = 512;

} // namespace

void RowPlaces::forget()
{
    m_started = false;
    m_complete = false;
    m_samples.clear();
    m_count = 0;
}

void RowPlaces::begin(const db::DataSet& dataSet)
{
    if (m_started) {
        return;
    }
    m_samples.clear();
    m_count = dataSet.RecordCount();
    m_step = std::max(minStep, (m_count + maxSamples - 1) / maxSamples);
    const std::optional<db::RecordRow> first = dataSet.readRowFrom({}, 0);
    if (first) {
        m_samples.push_back(first->bookmark);
    }
    m_complete = !first;
    m_started = true;
}

bool RowPlaces::sampleMore(const db::DataSet& dataSet, int samples)
{
    begin(dataSet);
    for (int taken = 0; taken < samples && !m_complete; ++taken) {
        const std::optional<db::RecordRow> row = dataSet.readRowFrom(m_samples.back(), m_step);
        if (row) {
            m_samples.push_back(row->bookmark);
        } else {
            m_complete = true;
        }
    }
    return m_complete;
}

qint64 RowPlaces::count(const db::DataSet& dataSet)
{
    begin(dataSet);
    return m_count;
}

int RowPlaces::sampleBefore(const db::DataSet& dataSet, const db::Bookmark& bookmark) const
{
    // The last sample with a row between it and the bookmark: samples further on have none.
    int low = 0;
    int high = static_cast<int>(m_samples.size()) - 1;
    int found = -1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        if (dataSet.countRows(m_samples.at(static_cast<size_t>(middle)), bookmark, 1) > 0) {
            found = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return found;
}

qint64 RowPlaces::placeOf(const db::DataSet& dataSet, const db::Bookmark& bookmark)
{
    begin(dataSet);
    if (!bookmark.isValid() || m_count <= 0) {
        return 0;
    }
    const int sample = sampleBefore(dataSet, bookmark);
    if (sample < 0) {
        return 0;
    }
    const qint64 base = sample * m_step;
    // Past the last sample of an incomplete one the rows are counted all the way.
    const bool last = static_cast<size_t>(sample) + 1 == m_samples.size();
    const qint64 limit = last && !m_complete ? m_count : 4 * m_step;
    const qint64 between = dataSet.countRows(m_samples.at(static_cast<size_t>(sample)), bookmark, limit);
    return std::clamp<qint64>(base + between, 0, m_count - 1);
}

std::optional<db::RecordRow> RowPlaces::rowAt(const db::DataSet& dataSet, qint64 place)
{
    begin(dataSet);
    if (m_samples.empty()) {
        return std::nullopt;
    }
    const qint64 wanted = std::clamp<qint64>(place, 0, std::max<qint64>(m_count - 1, 0));
    const auto sample = static_cast<size_t>(std::min<qint64>(wanted / m_step, qint64(m_samples.size()) - 1));
    std::optional<db::RecordRow> row = dataSet.readRowFrom(m_samples.at(sample), wanted - qint64(sample) * m_step);
    if (!row) {
        // Rows went since the sample: the last one there is.
        std::vector<db::RecordRow> last = dataSet.readRows({}, 1, false);
        if (!last.empty()) {
            row = std::move(last.front());
        }
    }
    return row;
}

} // namespace ui
