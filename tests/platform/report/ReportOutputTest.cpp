#include "VectorRowSource.h"

#include "platform/report/PagePainter.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/Report.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ScopedPreviewRunner.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace report;

namespace {

// Sets an environment variable for a test and puts the old value back.
class EnvironmentGuard
{
public:
    EnvironmentGuard(const char* name, const QString& value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value.toLocal8Bit());
    }
    ~EnvironmentGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

std::unique_ptr<Report> staffReport(int rowCount, const QString& longValue = {})
{
    std::vector<QStringList> rows;
    for (int i = 0; i < rowCount; ++i)
        rows.push_back({ longValue.isEmpty() ? QStringLiteral("Person %1").arg(i) : longValue });
    auto report = std::make_unique<Report>(std::make_unique<VectorRowSource>(QStringList { "Name" }, rows));
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

int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    if (!data.startsWith("%PDF"))
        return -1;
    return static_cast<int>(QString::fromLatin1(data).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// Runs check on the preview window once it is up, within a deadline.
void whenPreviewShows(const std::function<void(PreviewDialog&)>& check)
{
    auto* timer = new QTimer(qApp);
    const QDeadlineTimer deadline(10000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, check] {
        if (auto* dialog = qobject_cast<PreviewDialog*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            check(*dialog);
            dialog->reject();
        } else if (deadline.hasExpired()) {
            timer->deleteLater();
            ADD_FAILURE() << "the preview window did not show";
        }
    });
    timer->start(10);
}

} // namespace

TEST(ReportOutput, WritesEveryPageToPdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("staff.pdf");
    auto report = staffReport(80);
    const PageModel pages = report->buildPages();
    ASSERT_EQ(pages.pageCount(), 3);
    ReportOutput::writePdf(pages, path);
    EXPECT_EQ(pdfPageCount(path), 3);

    const QString unwritable = dir.filePath("missing/staff.pdf");
    try {
        ReportOutput::writePdf(pages, unwritable);
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
    const EnvironmentGuard redirect(ReportOutput::printToPdfVariable, path);
    EXPECT_EQ(staffReport(0)->Print(), QString()); // nothing to print, nothing written
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(staffReport(45)->Print(), path);
    EXPECT_EQ(pdfPageCount(path), 2);
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
    const EnvironmentGuard homeGuard("HOME", home.path());
    const EnvironmentGuard configGuard("XDG_CONFIG_HOME", home.filePath(".config"));
    const QString path = staffReport(3)->Print();
    EXPECT_TRUE(path.startsWith(home.filePath("Documents/Staff ")));
    EXPECT_EQ(pdfPageCount(path), 1);
}

TEST(ReportOutput, FallbackFileNamesAreSafeAndUnique)
{
    QTemporaryDir home;
    const EnvironmentGuard homeGuard("HOME", home.path());
    const EnvironmentGuard configGuard("XDG_CONFIG_HOME", home.filePath(".config"));
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 25, 30));
    const QString first = ReportOutput::fallbackPdfPath(QStringLiteral("Sales/Marketing: \"all\""), when);
    EXPECT_EQ(first, home.filePath("Documents/Sales_Marketing_ _all_ 2024-03-05 142530.pdf"));
    QFile(first).open(QIODevice::WriteOnly);
    EXPECT_EQ(ReportOutput::fallbackPdfPath(QStringLiteral("Sales/Marketing: \"all\""), when),
        home.filePath("Documents/Sales_Marketing_ _all_ 2024-03-05 142530 (2).pdf"));
    EXPECT_TRUE(ReportOutput::fallbackPdfPath(QString(), when).endsWith("/Report 2024-03-05 142530.pdf"));
}

TEST(ReportOutput, PreviewRunnerStandsInForTheWindow)
{
    int pages = -1;
    QString title;
    {
        const ScopedPreviewRunner runner([&](const PageModel& model) {
            pages = model.pageCount();
            title = model.title();
        });
        staffReport(45)->Preview();
    }
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(title, "Staff");
    EXPECT_FALSE(ReportOutput::setPreviewRunner({})); // put back
}

TEST(ReportOutput, PreviewWindowShowsThePagesAndPrints)
{
    QTemporaryDir dir;
    const EnvironmentGuard redirect(ReportOutput::printToPdfVariable, dir.filePath("from-preview.pdf"));
    int shown = -1;
    whenPreviewShows([&shown](PreviewDialog& dialog) {
        shown = dialog.previewWidget()->pageCount();
        dialog.findChild<QAction*>("PreviewNextPage")->trigger();
        EXPECT_EQ(dialog.previewWidget()->currentPage(), 2);
        dialog.findChild<QAction*>("PreviewPrint")->trigger();
    });
    staffReport(80)->Preview(); // returns when the window closes
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(pdfPageCount(dir.filePath("from-preview.pdf")), 3);
}

TEST(ReportOutput, FixedBoxesCutTheirText)
{
    auto report = staffReport(1, QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    const PageModel pages = report->buildPages();
    constexpr int dpi = 50;
    QImage image(425, 550, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter(pages).paintPage(painter, 0, dpi, dpi);
    painter.end();

    // The row's box spans 0.6 to 2.6 in across, 1.0 to 1.2 in down.
    const auto inkBetween = [&image](int fromX, int toX) {
        for (int y = dpi * 1; y < dpi * 1.2; ++y) {
            for (int x = fromX; x < toX; ++x) {
                if (qGray(image.pixel(x, y)) < 128)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkBetween(30, 130));
    EXPECT_FALSE(inkBetween(132, 425));
}
