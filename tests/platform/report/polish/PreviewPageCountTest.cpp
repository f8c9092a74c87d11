// The preview window counts the pages of a long list after its first page shows, without the user paging to the end.

#include "VectorRowSource.h"

#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewPageView.h"
#include "platform/report/Report.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace report;

namespace {

constexpr int deadlineMs = 30000;

// Letter, half-inch margins, a 0.5 in title and footer and 0.25 in rows: 36 rows on the first page, 38 on the others.
std::unique_ptr<Report> staffReport(int rowCount, VectorRowSource*& source)
{
    std::vector<QStringList> rows;
    for (int i = 0; i < rowCount; ++i)
        rows.push_back({ QStringLiteral("Person %1").arg(i, 5, 10, QLatin1Char('0')) });
    auto rowSource = std::make_unique<VectorRowSource>(QStringList { "Name" }, rows);
    source = rowSource.get();
    auto report = std::make_unique<Report>(std::move(rowSource));
    ReportLayout& layout = report->layout();
    layout.pageSetup().topMargin = layout.pageSetup().bottomMargin = 0.5;
    layout.pageSetup().leftMargin = layout.pageSetup().rightMargin = 0.5;
    layout.addBand(Band::Kind::Title, "Title", 0.5).add(Control::label("LblTitle", "Staff").at(3, 0));
    layout.addBand(Band::Kind::Detail, "Detail", 0.25)
        .add(Control::dataField("TextName", "Name").at(0.1, 0).fixedSize(2, 0.2));
    layout.addBand(Band::Kind::PageFooter, "Footer", 0.5)
        .add(Control::systemData("PageNo", Control::SystemData::PageNumber, "Page ").at(0.1, 0.1));
    return report;
}

// Runs check on the preview window once it shows, then closes it.
void whenPreviewShows(const std::function<void(PreviewDialog&)>& check)
{
    auto* timer = new QTimer(qApp);
    const QDeadlineTimer deadline(deadlineMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, check] {
        if (auto* dialog = qobject_cast<PreviewDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            check(*dialog);
            dialog->reject();
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the preview window did not show";
        }
    });
    timer->start(10);
}

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
    const auto report = staffReport(20000, rows); // 527 pages
    bool checked = false;
    whenPreviewShows([&](PreviewDialog& dialog) {
        EXPECT_EQ(dialog.currentPage(), 1);
        // The user pages on while the count goes on; the pages shown are the right ones.
        dialog.findChild<QAction*>("PreviewNextPage")->trigger();
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
        dialog.findChild<QAction*>("PreviewPriorPage")->trigger();
        EXPECT_EQ(firstRow(dialog), "Person 00000");
        EXPECT_EQ(rows->firstCalls, walks);
        dialog.findChild<QAction*>("PreviewLastPage")->trigger();
        EXPECT_EQ(dialog.currentPage(), 527);
        EXPECT_FALSE(dialog.findChild<QAction*>("PreviewNextPage")->isEnabled());
        EXPECT_EQ(
            firstRow(dialog), QStringLiteral("Person %1").arg(36 + 38 * 525, 5, 10, QLatin1Char('0')).toStdString());
        checked = true;
    });
    report->Preview();
    EXPECT_TRUE(checked);
}

TEST(PreviewPageCount, AOnePageListIsCountedAtOnce)
{
    VectorRowSource* rows = nullptr;
    const auto report = staffReport(10, rows);
    bool checked = false;
    whenPreviewShows([&](PreviewDialog& dialog) {
        // The first page showed that no page follows it.
        EXPECT_EQ(dialog.pageCount(), 1);
        EXPECT_EQ(countLabel(dialog), QStringLiteral(" of 1 "));
        EXPECT_FALSE(dialog.countingPages());
        checked = true;
    });
    report->Preview();
    EXPECT_TRUE(checked);
}
