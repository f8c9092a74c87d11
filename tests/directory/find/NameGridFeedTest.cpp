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

TEST_F(NameGridFeedTest, ReadsTheFirstScreenNowAndTheRestOnDemandOrWhileIdle)
{
    m_feed.start(100000, rows(100000));
    EXPECT_EQ(m_grid.rowCount(), 100000) << "the scroll bar shows the whole list";
    EXPECT_LT(m_given, 1000) << "only the first screen is read";
    EXPECT_EQ(text(0, 0), QStringLiteral("NAME 000000"));
    EXPECT_EQ(text(m_given, 0), QStringLiteral("<not read>"));

    // Asking for a row (a choice by the keyboard, a jump of the scroll bar) reads through it at once, in order.
    m_feed.readThrough(50000);
    EXPECT_EQ(text(50000, 1), QStringLiteral("50000"));

    // The rest comes while the event loop is idle (a generous deadline: a sanitized build on a busy machine is slow);
    // the last row is the reader's last.
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_feed.rowsRead() == 100000; }, 60000)) << m_feed.rowsRead();
    EXPECT_EQ(text(99999, 0), QStringLiteral("NAME 099999"));
    EXPECT_EQ(m_given, 100000);

    // A new fill starts at the top, wherever the last list was scrolled to, with its first screen only.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_grid.verticalScrollBar()->maximum() > 0; }, 5000));
    m_grid.verticalScrollBar()->setValue(m_grid.verticalScrollBar()->maximum());
    m_feed.start(5000, rows(5000));
    EXPECT_LT(m_given, 1000);
    EXPECT_EQ(m_grid.verticalScrollBar()->value(), 0);
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
