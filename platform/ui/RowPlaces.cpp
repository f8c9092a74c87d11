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
    m_sampled = false;
    m_samples.clear();
    m_count = 0;
}

void RowPlaces::takeSample(const db::DataSet& dataSet)
{
    if (m_sampled) {
        return;
    }
    m_samples.clear();
    m_count = dataSet.RecordCount();
    m_step = std::max(minStep, (m_count + maxSamples - 1) / maxSamples);
    std::optional<db::RecordRow> row = dataSet.readRowFrom({}, 0);
    while (row) {
        m_samples.push_back(row->bookmark);
        row = dataSet.readRowFrom(row->bookmark, m_step);
    }
    m_sampled = true;
}

qint64 RowPlaces::count(const db::DataSet& dataSet)
{
    takeSample(dataSet);
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
    takeSample(dataSet);
    if (!bookmark.isValid() || m_count <= 0) {
        return 0;
    }
    const int sample = sampleBefore(dataSet, bookmark);
    if (sample < 0) {
        return 0;
    }
    const qint64 base = sample * m_step;
    const qint64 between = dataSet.countRows(m_samples.at(static_cast<size_t>(sample)), bookmark, 4 * m_step);
    return std::clamp<qint64>(base + between, 0, m_count - 1);
}

std::optional<db::RecordRow> RowPlaces::rowAt(const db::DataSet& dataSet, qint64 place)
{
    takeSample(dataSet);
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
