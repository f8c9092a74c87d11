#include "ReportTestSupport.h"
#include "ScopedEnvironmentVariable.h"

#include "platform/modal/ModalRecorder.h"
#include "platform/report/PagePainter.h"
#include "platform/report/LayoutEngine.h"
#include "platform/report/PreviewPageView.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportOutput.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QPdfWriter>
#include <QScrollArea>
#include <QSpinBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace report;
using reporttest::staffReport;
using reporttest::trigger;
using reporttest::whenPreviewShows;

namespace {

int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    if (!data.startsWith("%PDF"))
        return -1;
    return static_cast<int>(QString::fromLatin1(data).count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

} // namespace

TEST(ReportOutput, WritesEveryPageToPdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("staff.pdf");
    auto report = staffReport(80);
    const PageModel pages = report->buildPages();
    ASSERT_EQ(pages.pageCount(), 3);
    report->writePdf(path);
    EXPECT_EQ(pdfPageCount(path), 3);

    const QString unwritable = dir.filePath("missing/staff.pdf");
    try {
        report->writePdf(unwritable);
        ADD_FAILURE() << "writing into a missing folder succeeded";
    } catch (const ReportError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot write the PDF file \"%1\"").arg(unwritable)));
    }
    EXPECT_THROW(staffReport(0)->writePdf(dir.filePath("empty.pdf")), ReportError);
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.pdf")));
}

TEST(ReportOutput, PrintGoesToTheNamedPdfWhenTheVariableIsSet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("printed.pdf");
    const ScopedEnvironmentVariable redirect(ReportOutput::printToPdfVariable, path);
    EXPECT_EQ(staffReport(0)->Print(), QString()); // nothing to print, nothing written
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(staffReport(45)->Print(), path);
    EXPECT_EQ(pdfPageCount(path), 2);
}

TEST(ReportOutput, PrintCountsItsPagesInAProgressWindowWhoseStopDropsTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("printed.pdf");
    const ScopedEnvironmentVariable redirect(ReportOutput::printToPdfVariable, path);
    modal::ModalRecorder recorder;
    EXPECT_EQ(staffReport(80)->Print(), path);
    ASSERT_EQ(recorder.progressRequests().size(), 1);
    EXPECT_EQ(recorder.progressRequests().front().caption, "Printing");
    EXPECT_EQ(recorder.progressRequests().front().text, "Printing \"Staff\"...");
    EXPECT_EQ(
        recorder.progressSteps(), QStringList({ "Printing page 1...", "Printing page 2...", "Printing page 3..." }));

    ASSERT_TRUE(QFile::remove(path));
    recorder.cancelProgressAt(2);
    EXPECT_EQ(staffReport(80)->Print(), QString());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ReportOutput, PrintsThroughTheGivenPrinter)
{
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printer.pdf"));
    printer.setCopyCount(3);
    EXPECT_EQ(staffReport(45)->Print(&printer), QString());
    EXPECT_EQ(printer.copyCount(), 1);
    EXPECT_EQ(pdfPageCount(dir.filePath("printer.pdf")), 2);
}

TEST(ReportOutput, PrintWithoutPrinterWritesToDocuments)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed here";
    QTemporaryDir home;
    const ScopedEnvironmentVariable homeGuard("HOME", home.path());
    const ScopedEnvironmentVariable configGuard("XDG_CONFIG_HOME", home.filePath(".config"));
    const QString path = staffReport(3)->Print();
    EXPECT_TRUE(path.startsWith(home.filePath("Documents/Staff ")));
    EXPECT_EQ(pdfPageCount(path), 1);
}

TEST(ReportOutput, FallbackFileNamesAreSafeAndUnique)
{
    QTemporaryDir home;
    const ScopedEnvironmentVariable homeGuard("HOME", home.path());
    const ScopedEnvironmentVariable configGuard("XDG_CONFIG_HOME", home.filePath(".config"));
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 25, 30));
    const QString first = ReportOutput::fallbackPdfPath("Sales/Marketing: \"all\"", when);
    EXPECT_EQ(first, home.filePath("Documents/Sales_Marketing_ _all_ 2024-03-05 142530.pdf"));
    QFile(first).open(QIODevice::WriteOnly);
    EXPECT_EQ(ReportOutput::fallbackPdfPath("Sales/Marketing: \"all\"", when),
        home.filePath("Documents/Sales_Marketing_ _all_ 2024-03-05 142530 (2).pdf"));
    EXPECT_TRUE(ReportOutput::fallbackPdfPath(QString(), when).endsWith("/Report 2024-03-05 142530.pdf"));
}

TEST(ReportOutput, PreviewWindowRunsThroughTheModalPoint)
{
    modal::ModalRecorder recorder;
    int pages = -1;
    recorder.driveDialog([&pages](QDialog& dialog) {
        auto& preview = dynamic_cast<PreviewDialog&>(dialog);
        trigger(preview, "PreviewLastPage");
        pages = preview.pageCount().value_or(-1);
    });
    staffReport(45)->Preview();
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(recorder.dialogTitles(), QStringList { "Print Preview - Staff" });

    // A report without pages opens no window.
    staffReport(0)->Preview();
    EXPECT_EQ(recorder.dialogTitles().size(), 1);
}

TEST(ReportOutput, PreviewWindowShowsThePagesAndPrints)
{
    QTemporaryDir dir;
    const ScopedEnvironmentVariable redirect(ReportOutput::printToPdfVariable, dir.filePath("from-preview.pdf"));
    int shown = -1;
    whenPreviewShows([&shown](PreviewDialog& dialog) {
        trigger(dialog, "PreviewNextPage");
        EXPECT_EQ(dialog.currentPage(), 2);
        trigger(dialog, "PreviewPrint");
        trigger(dialog, "PreviewLastPage");
        shown = dialog.pageCount().value_or(-1);
    });
    staffReport(80)->Preview(); // returns when the window closes
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(pdfPageCount(dir.filePath("from-preview.pdf")), 3);
}

TEST(ReportOutput, FixedBoxesWrapTheirTextWithinTheirWidth)
{
    auto report = staffReport({ { QString(40, u'W') } });
    const PageModel pages = report->buildPages();
    constexpr int dpi = 50;
    QImage image(425, 550, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254)); // fonts, given in points, take the page's scale
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter(pages.format()).paintPage(painter, pages.page(0), dpi, dpi);
    painter.end();

    // The row's box spans 0.6 to 2.6 in across and starts 1.0 in down; its further lines go below 1.2 in.
    const auto inkIn = [&image](int fromX, int toX, double fromInch, double toInch) {
        for (int y = static_cast<int>(dpi * fromInch); y < dpi * toInch; ++y) {
            for (int x = fromX; x < toX; ++x) {
                if (qGray(image.pixel(x, y)) < 128)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkIn(30, 130, 1.0, 1.2));
    EXPECT_TRUE(inkIn(30, 130, 1.2, 1.5));
    EXPECT_FALSE(inkIn(132, 425, 1.0, 2.0));
}

TEST(ReportOutput, PagesArePaintedAsTheyAreLaidOut)
{
    QTemporaryDir dir;
    VectorRowSource* rows = nullptr;
    const auto report = staffReport(400, &rows);
    const auto walk = report->layOut();
    std::vector<size_t> walkedWhenPainted;
    QPdfWriter writer(dir.filePath("streamed.pdf"));
    EXPECT_EQ(PagePainter(walk->format())
                  .paint(writer, *walk,
                      [&](int) {
                          walkedWhenPainted.push_back(rows->position());
                          return true;
                      }),
        PagePainter::Result::Painted);
    // Each page is painted when its rows and the one opening the next page are walked, not after the last row.
    ASSERT_EQ(walkedWhenPainted.size(), 11u);
    EXPECT_EQ(walkedWhenPainted[0], 37u);
    EXPECT_EQ(walkedWhenPainted[1], 75u);
    EXPECT_EQ(walkedWhenPainted.back(), 400u);
    EXPECT_EQ(pdfPageCount(dir.filePath("streamed.pdf")), 11);

    const auto stopped = report->layOut();
    QPdfWriter stoppedWriter(dir.filePath("stopped.pdf"));
    EXPECT_EQ(PagePainter(stopped->format()).paint(stoppedWriter, *stopped, [](int done) { return done < 2; }),
        PagePainter::Result::Stopped);
    EXPECT_EQ(rows->position(), 75u);

    const auto empty = staffReport(0);
    const auto none = empty->layOut();
    QPdfWriter unused(dir.filePath("none.pdf"));
    EXPECT_EQ(PagePainter(none->format()).paint(unused, *none), PagePainter::Result::NoPages);
    EXPECT_FALSE(QFile::exists(dir.filePath("none.pdf")));
}

TEST(ReportOutput, PreviewLaysOutPagesAsTheUserMovesToThem)
{
    QTemporaryDir dir;
    const ScopedEnvironmentVariable redirect(ReportOutput::printToPdfVariable, dir.filePath("from-preview.pdf"));
    VectorRowSource* rows = nullptr;
    const auto report = staffReport(5000, &rows); // 132 pages: more than the preview keeps
    const PageModel whole = report->buildPages();
    ASSERT_EQ(whole.pageCount(), 132);
    const auto shownText = [](const PreviewDialog& dialog) {
        const Page* page = dialog.pageView()->page();
        return page ? page->text(1) : QString(); // the first row of the page
    };

    // Not shown, the window counts no pages in the background: the walk moves only as the user moves.
    PreviewDialog dialog([&report] { return report->layOut(); },
        [&report](QWidget* window) { ReportOutput::print(*report->layOut(), nullptr, window); });
    // Only the first page and the one after it were laid out.
    EXPECT_EQ(dialog.currentPage(), 1);
    EXPECT_EQ(rows->position(), 75u);
    EXPECT_EQ(shownText(dialog), whole.page(0).text(1));
    EXPECT_EQ(dialog.findChild<QLabel*>("PreviewPageCount")->text(), " of ? ");

    trigger(dialog, "PreviewNextPage");
    EXPECT_EQ(dialog.currentPage(), 2);
    dialog.findChild<QSpinBox*>("PreviewPageNumber")->setValue(10);
    EXPECT_EQ(dialog.currentPage(), 10);
    EXPECT_EQ(shownText(dialog), whole.page(9).text(1));
    EXPECT_LT(rows->position(), 500u);

    trigger(dialog, "PreviewLastPage");
    EXPECT_EQ(dialog.currentPage(), 132);
    EXPECT_EQ(dialog.pageCount(), 132);
    EXPECT_EQ(dialog.findChild<QLabel*>("PreviewPageCount")->text(), " of 132 ");
    EXPECT_FALSE(dialog.findChild<QAction*>("PreviewNextPage")->isEnabled());
    EXPECT_EQ(shownText(dialog), whole.page(131).text(1));

    // Page 1 is no longer kept: a new walk lays it out.
    const int walks = rows->firstCalls;
    trigger(dialog, "PreviewFirstPage");
    EXPECT_EQ(dialog.currentPage(), 1);
    EXPECT_EQ(rows->firstCalls, walks + 1);
    EXPECT_EQ(shownText(dialog), whole.page(0).text(1));

    // Printing walks the rows from the first in a walk of its own; the preview then lays out further pages
    // in a new walk rather than go on from rows that moved under it.
    trigger(dialog, "PreviewPrint");
    EXPECT_EQ(rows->firstCalls, walks + 2);
    EXPECT_EQ(pdfPageCount(dir.filePath("from-preview.pdf")), 132);
    trigger(dialog, "PreviewNextPage");
    trigger(dialog, "PreviewNextPage");
    EXPECT_EQ(dialog.currentPage(), 3);
    EXPECT_EQ(rows->firstCalls, walks + 3);
    EXPECT_EQ(shownText(dialog), whole.page(2).text(1));
}

TEST(ReportOutput, PreviewZoomsThePage)
{
    bool checked = false;
    whenPreviewShows([&checked](PreviewDialog& dialog) {
        PreviewPageView& view = *dialog.pageView();
        const auto* scroll = dialog.findChild<QScrollArea*>("PreviewPages");
        EXPECT_LE(view.width(), scroll->maximumViewportSize().width()); // fits the width at first
        EXPECT_GT(view.height(), scroll->maximumViewportSize().height());

        trigger(dialog, "PreviewFitPage");
        EXPECT_LE(view.height(), scroll->maximumViewportSize().height());
        const double whole = view.zoom();
        trigger(dialog, "PreviewZoomIn");
        EXPECT_DOUBLE_EQ(view.zoom(), whole * 1.25);
        trigger(dialog, "PreviewZoomOut");
        trigger(dialog, "PreviewZoomOut");
        EXPECT_DOUBLE_EQ(view.zoom(), whole / 1.25);

        // The page shows its texts: ink inside the paper.
        const QImage image = view.grab().toImage();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
        EXPECT_GT(ink, 50);
        checked = true;
    });
    staffReport(80)->Preview();
    EXPECT_TRUE(checked);
}
