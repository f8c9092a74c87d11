#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QTableWidget;

// Fills the employee letter list's two-column grid (name, extension) from rows read one after another: the grid
// takes the whole count of rows at once, so that its scroll bar shows the whole list, and reads the rows of its
// first screen at the start. The other rows are read as they scroll into view or are asked for, and meanwhile in
// slices of a few milliseconds whenever the event loop is idle, so that the reader (a query's open statement,
// which keeps its table from being written) is done soon after the list shows. A letter of a hundred thousand
// names thus shows as fast as one of ten. The rows keep the reader's order.
class NameGridFeed : public QObject
{
    Q_OBJECT

public:
    // Reads the next row into name and extension; false at the end of the rows.
    using RowReader = std::function<bool(QString& name, QString& extension)>;

    // The feed belongs to the grid and watches its scrolling and size.
    explicit NameGridFeed(QTableWidget& grid);

    // Starts a new fill: the last fill's rows go, the grid takes `count` rows (one of two empty cells when there are
    // none) and the rows of the first screen are read. A reader that ends before `count` rows shortens the grid to
    // the rows it gave; rows past `count` are not read. An error of the reader goes on to the caller, and the grid
    // keeps the rows read before it.
    void start(qint64 count, RowReader reader);

    // Reads the rows up to `row` that are not read yet. Errors as for start.
    void readThrough(int row);
    // Reads what is left of the rows.
    void readAll();

    // The rows read of the current fill.
    int rowsRead() const { return m_read; }

private:
    void readInView();
    void readSlice();
    void finishReading();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QTableWidget& m_grid;
    QObject* const m_viewport;
    RowReader m_reader;
    int m_read = 0;
    QTimer m_idleReading;
};
