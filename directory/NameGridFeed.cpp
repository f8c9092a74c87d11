#include "directory/NameGridFeed.h"

#include "platform/ui/Guard.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>
#include <climits>

namespace {

constexpr int firstScreenRows = 64; // at least, whatever the grid's height at the time
constexpr int sliceMs = 8; // reading while idle gives the event loop back after this long
constexpr int sliceRows = 256; // rows read between two looks at the clock

} // namespace

NameGridFeed::NameGridFeed(QTableWidget& grid)
    : QObject(&grid)
    , m_grid(grid)
    , m_viewport(grid.viewport())
{
    // The rows that scroll or grow into view are read before the grid paints them.
    connect(
        m_grid.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { ui::guarded([this] { readInView(); }); });
    m_viewport->installEventFilter(this);
    connect(&m_idleReading, &QTimer::timeout, this, [this] { ui::guarded([this] { readSlice(); }); });
}

void NameGridFeed::start(qint64 count, RowReader reader)
{
    finishReading();
    m_read = 0;
    {
        // The selection that the new rows move is no choice of an entry by the user.
        const QSignalBlocker quiet(&m_grid);
        m_grid.setRowCount(0); // the last fill's items go at once
        m_grid.scrollToTop(); // a new list starts at its top, wherever the last one was scrolled to
        m_grid.setRowCount(static_cast<int>(std::clamp<qint64>(count, 1, INT_MAX)));
        if (count <= 0) {
            m_grid.setItem(0, 0, new QTableWidgetItem()); // owned by the grid
            m_grid.setItem(0, 1, new QTableWidgetItem());
            return;
        }
    }
    m_reader = std::move(reader);
    readThrough(firstScreenRows - 1);
    readInView();
    if (m_reader)
        m_idleReading.start(0);
}

void NameGridFeed::readThrough(int row)
{
    if (!m_reader)
        return;
    const int last = std::min(row, m_grid.rowCount() - 1);
    if (m_read > last)
        return;
    const QSignalBlocker quiet(&m_grid);
    try {
        QString name;
        QString extension;
        while (m_read <= last) {
            if (!m_reader(name, extension)) {
                // Fewer rows than counted (they were deleted meanwhile): the grid ends with the last one.
                finishReading();
                m_grid.setRowCount(std::max(m_read, 1));
                return;
            }
            {
                // A new cell needs no notice of its own: the view paints what it shows once the rows are in.
                const QSignalBlocker cellsQuiet(m_grid.model());
                m_grid.setItem(m_read, 0, new QTableWidgetItem(name)); // owned by the grid
                m_grid.setItem(m_read, 1, new QTableWidgetItem(extension));
            }
            ++m_read;
        }
    } catch (...) {
        // The list keeps what was read before the error.
        finishReading();
        m_grid.setRowCount(std::max(m_read, 1));
        m_grid.viewport()->update();
        throw;
    }
    if (m_read == m_grid.rowCount())
        finishReading();
    m_grid.viewport()->update();
}

void NameGridFeed::readAll()
{
    readThrough(INT_MAX);
}

void NameGridFeed::finishReading()
{
    m_reader = {};
    m_idleReading.stop();
}

void NameGridFeed::readSlice()
{
    QElapsedTimer clock;
    clock.start();
    while (m_reader && clock.elapsed() < sliceMs)
        readThrough(m_read + sliceRows - 1);
}

void NameGridFeed::readInView()
{
    if (!m_reader)
        return;
    // The rows in view and one screen more, so that the next step of scrolling finds its rows read.
    const int height = m_grid.viewport()->height();
    if (height <= 0)
        return; // not laid out yet: the first screen's rows are read already
    const int top = std::max(m_grid.rowAt(0), 0);
    const int rowsInView = height / std::max(1, m_grid.verticalHeader()->defaultSectionSize()) + 1;
    readThrough(top + 2 * rowsInView);
}

bool NameGridFeed::eventFilter(QObject* watched, QEvent* event)
{
    // The viewport is compared by the pointer kept: while the grid is destroyed, its viewport still has events and
    // the grid is no scroll area any more.
    if (event->type() == QEvent::Resize && watched == m_viewport)
        ui::guarded([this] { readInView(); });
    return QObject::eventFilter(watched, event);
}
