#include "platform/ui/GridScrollThumb.h"

#include "platform/db/DataSet.h"
#include "platform/ui/Guard.h"
#include "platform/ui/RowWindow.h"

#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <utility>

namespace ui {

namespace {

constexpr int samplesPerIdleMoment = 4;

} // namespace

GridScrollThumb::GridScrollThumb(QScrollBar& bar)
    : m_bar(bar)
{
    m_sampler.setSingleShot(true);
    m_sampler.setInterval(0);
    QObject::connect(&m_sampler, &QTimer::timeout, &m_sampler, [this] { sampleSome(); });
}

void GridScrollThumb::follow(const db::DataSet* dataSet, const RowWindow& window, int visible)
{
    const QSignalBlocker blockBar(m_bar);
    m_dataSet = dataSet;
    m_pending = false;
    const int current = window.current();
    if (!dataSet || current < 0 || (window.atStart() && window.atEnd())) {
        m_bar.setRange(0, 0);
        return;
    }
    guarded([&] {
        const qint64 count = m_places.count(*dataSet);
        m_bar.setRange(0, static_cast<int>(std::clamp<qint64>(count - 1, 1, INT_MAX)));
        m_bar.setPageStep(std::max(1, visible));
        m_bar.setSingleStep(1);
        if (window.atEnd() && current == window.size() - 1 && dataSet->State() != db::DataSetState::Insert) {
            m_bar.setValue(m_bar.maximum());
        } else if (window.atStart() && current == 0) {
            m_bar.setValue(0);
        } else {
            m_pending = true;
        }
    });
    if (m_pending || !m_places.complete()) {
        m_sampler.start();
    }
}

void GridScrollThumb::sampleSome()
{
    const db::DataSet* const dataSet = m_dataSet;
    if (!dataSet) {
        return;
    }
    bool complete = true;
    if (!guarded([&] { complete = m_places.sampleMore(*dataSet, samplesPerIdleMoment); })) {
        return;
    }
    if (!complete) {
        m_sampler.start();
        return;
    }
    if (m_pending) {
        m_pending = false;
        const QSignalBlocker blockBar(m_bar);
        guarded([&] {
            const qint64 place = m_places.placeOf(*dataSet, dataSet->GetBookmark());
            m_bar.setValue(static_cast<int>(std::clamp<qint64>(place, 0, INT_MAX)));
        });
    }
}

void GridScrollThumb::moveTo(db::DataSet& dataSet, int place, int visible)
{
    if (place <= m_bar.minimum()) {
        dataSet.First();
        return;
    }
    if (place >= m_bar.maximum()) {
        dataSet.Last();
        return;
    }
    const std::optional<db::RecordRow> row = m_places.rowAt(dataSet, place);
    if (!row) {
        return;
    }
    m_placeAfterJump = static_cast<int>(static_cast<qint64>(visible - 1) * place / std::max(1, m_bar.maximum()));
    if (!dataSet.GotoBookmark(row->bookmark)) {
        m_placeAfterJump.reset();
    }
}

std::optional<int> GridScrollThumb::takePlaceAfterJump()
{
    return std::exchange(m_placeAfterJump, std::nullopt);
}

void GridScrollThumb::holdAt(int place)
{
    m_placeAfterJump.reset();
    const QSignalBlocker blockBar(m_bar);
    m_pending = false;
    m_bar.setValue(place);
}

} // namespace ui
