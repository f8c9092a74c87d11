// The employee letter list reads its rows as the user scrolls to them: a letter of a hundred thousand names shows
// its first screen at once, and the whole count and order are there for the user who scrolls.
#include "directory/NameGridFeed.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class NameGridFeedTest : public ::testing::Test
{
protected:
    NameGridFeedTest()
    {
        m_grid.verticalHeader()->setDefaultSectionSize(15);
        m_grid.resize(300, 300);
        m_grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_grid));
    }

    // Rows NAME 0, NAME 1 ... with extensions 0, 1 ..., as many as `available`.
    NameGridFeed::RowReader rows(int available)
    {
        m_given = 0;
        return [this, available](QString& name, QString& extension) {
            if (m_given == available)
                return false;
            name = QStringLiteral("NAME %1").arg(m_given, 6, 10, QLatin1Char('0'));
            extension = QString::number(m_given++);
            return true;
        };
    }

    QString text(int row, int column) const
    {
        const QTableWidgetItem* const item = m_grid.item(row, column);
        return item ? item->text() : QStringLiteral("<not read>");
    }

    QTableWidget m_grid { 1, 2 };
    NameGridFeed m_feed { m_grid };
    int m_given = 0;
};

TEST_F(NameGridFeedTest, ReadsTheFirstScreenNowAndTheRestAsTheUserScrolls)
{
    m_feed.start(100000, rows(100000));
    EXPECT_EQ(m_grid.rowCount(), 100000) << "the scroll bar shows the whole list";
    EXPECT_LT(m_given, 1000) << "only the first screen is read";
    EXPECT_EQ(text(0, 0), QStringLiteral("NAME 000000"));
    EXPECT_EQ(text(m_given, 0), QStringLiteral("<not read>"));

    // Scrolling a little reads the rows that come into view, in order.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_grid.verticalScrollBar()->maximum() > 0; }, 5000));
    const int before = m_given;
    m_grid.verticalScrollBar()->setValue(m_grid.verticalScrollBar()->value() + 200);
    EXPECT_GT(m_given, before);
    const int shownRow = m_grid.rowAt(m_grid.viewport()->height() - 1);
    EXPECT_EQ(text(shownRow, 1), QString::number(shownRow));

    // Dragging to the end reads everything; the last row is the reader's last.
    m_grid.verticalScrollBar()->setValue(m_grid.verticalScrollBar()->maximum());
    EXPECT_EQ(m_feed.rowsRead(), 100000);
    EXPECT_EQ(text(99999, 0), QStringLiteral("NAME 099999"));

    // Asking for a row reads through it (the choice of an entry by the keyboard), and a new fill starts over.
    m_feed.start(5000, rows(5000));
    EXPECT_EQ(text(4000, 1), QStringLiteral("<not read>"));
    m_feed.readThrough(4000);
    EXPECT_EQ(text(4000, 1), QStringLiteral("4000"));
    EXPECT_EQ(m_grid.rowCount(), 5000);
}

TEST_F(NameGridFeedTest, CountAndRowsThatDisagreeEndWithTheRowsRead)
{
    // Rows deleted between the count and the reading: the list ends with the last row there is.
    m_feed.start(3000, rows(2500));
    m_feed.readAll();
    EXPECT_EQ(m_grid.rowCount(), 2500);
    EXPECT_EQ(text(2499, 0), QStringLiteral("NAME 002499"));

    // Rows added meanwhile: the count holds, nothing past it is read.
    m_feed.start(100, rows(200));
    m_feed.readAll();
    EXPECT_EQ(m_grid.rowCount(), 100);
    EXPECT_EQ(m_given, 100);

    // No rows: one row of two empty cells.
    m_feed.start(0, rows(0));
    ASSERT_EQ(m_grid.rowCount(), 1);
    EXPECT_EQ(text(0, 0), QString());
    EXPECT_EQ(text(0, 1), QString());
}

} // namespace
