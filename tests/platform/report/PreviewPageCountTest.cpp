// The preview window counts the pages of a long list after its first page shows, without the user paging to the end.

#include "ReportTestSupport.h"

#include "platform/report/PreviewPageView.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace report;
using reporttest::trigger;

namespace {

constexpr int deadlineMs = 30000;

QString countLabel(const PreviewDialog& dialog)
{
    return dialog.findChild<QLabel*>("PreviewPageCount")->text();
}

// The first row of the page shown: below the title on the first page, at the top of the others.
std::string firstRow(const PreviewDialog& dialog)
{
    return dialog.pageView()->page()->text(dialog.currentPage() == 1 ? 1 : 0).toStdString();
}

} // namespace

TEST(PreviewPageCount, FillsInAfterTheFirstPageShowsWhileTheUserStaysOrPages)
{
    VectorRowSource* rows = nullptr;
    const auto report = reporttest::staffReport(20000, &rows); // 527 pages
    bool checked = false;
    reporttest::whenPreviewShows(
        [&](PreviewDialog& dialog) {
            EXPECT_EQ(dialog.currentPage(), 1);
            // The user pages on while the count goes on; the pages shown are the right ones.
            trigger(dialog, "PreviewNextPage");
            EXPECT_EQ(dialog.currentPage(), 2);
            EXPECT_EQ(firstRow(dialog), "Person 00036");

            ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.pageCount().has_value(); }, deadlineMs))
                << "the pages were not counted; the label says" << countLabel(dialog).toStdString();
            // Counting did not move the page looked at.
            EXPECT_EQ(dialog.pageCount(), 527);
            EXPECT_EQ(countLabel(dialog), QStringLiteral(" of 527 "));
            EXPECT_FALSE(dialog.countingPages());
            EXPECT_EQ(dialog.currentPage(), 2);
            EXPECT_EQ(firstRow(dialog), "Person 00036");
            EXPECT_TRUE(dialog.findChild<QAction*>("PreviewLastPage")->isEnabled());

            // The pages near the one looked at were kept; the last page is the last one.
            const int walks = rows->firstCalls;
            trigger(dialog, "PreviewPriorPage");
            EXPECT_EQ(firstRow(dialog), "Person 00000");
            EXPECT_EQ(rows->firstCalls, walks);
            trigger(dialog, "PreviewLastPage");
            EXPECT_EQ(dialog.currentPage(), 527);
            EXPECT_FALSE(dialog.findChild<QAction*>("PreviewNextPage")->isEnabled());
            EXPECT_EQ(firstRow(dialog),
                QStringLiteral("Person %1").arg(36 + 38 * 525, 5, 10, QLatin1Char('0')).toStdString());
            checked = true;
        },
        deadlineMs);
    report->Preview();
    EXPECT_TRUE(checked);
}

TEST(PreviewPageCount, AOnePageListIsCountedAtOnce)
{
    VectorRowSource* rows = nullptr;
    const auto report = reporttest::staffReport(10, &rows);
    bool checked = false;
    reporttest::whenPreviewShows(
        [&](PreviewDialog& dialog) {
            // The first page showed that no page follows it.
            EXPECT_EQ(dialog.pageCount(), 1);
            EXPECT_EQ(countLabel(dialog), QStringLiteral(" of 1 "));
            EXPECT_FALSE(dialog.countingPages());
            checked = true;
        },
        deadlineMs);
    report->Preview();
    EXPECT_TRUE(checked);
}
