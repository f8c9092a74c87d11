#include "bench/ReportBench.h"

#include "bench/ProcessMemory.h"
#include "listprint/reports/TQREmployeeExt.h"
#include "listprint/reports/TQREmployeeList.h"
#include "platform/db/Query.h"
#include "platform/report/LayoutEngine.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewPageView.h"
#include "platform/report/ReportOutput.h"

#include <QElapsedTimer>

bool ReportBench::parseLayout(const QString& name, Layout& layout)
{
    if (name == u"ext")
        layout = Layout::Extended;
    else if (name == u"list")
        layout = Layout::EmployeeList;
    else
        return false;
    return true;
}

ReportBench::ReportBench(const QString& folder)
    : m_directory(folder)
{
}

ReportBench::PdfFigures ReportBench::writePdf(Layout layout, const QString& path)
{
    PdfFigures figures;
    ProcessMemory::resetPeak();
    figures.residentBeforeKb = ProcessMemory::read().residentKb;
    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<db::Query> employees = m_directory.openEmployeeList();
    const std::unique_ptr<report::Report> report = createLayout(layout, *employees);
    const std::unique_ptr<report::LayoutEngine> walk = report->layOut();
    report::ReportOutput::writePdf(*walk, path);
    figures.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    figures.peakKb = ProcessMemory::read().peakKb;
    figures.pages = walk->pagesDone();
    figures.rows = employees->RecordCount();
    return figures;
}

double ReportBench::firstPreviewPageMs(Layout layout)
{
    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<db::Query> employees = m_directory.openEmployeeList();
    const std::unique_ptr<report::Report> report = createLayout(layout, *employees);
    report::PreviewDialog preview([&report] { return report->layOut(); }, [](QWidget*) {});
    preview.show();
    preview.pageView()->grab(); // paints the page as the window shows it
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (!preview.hasPages())
        throw std::runtime_error("the list has no pages");
    return ms;
}

std::unique_ptr<report::Report> ReportBench::createLayout(Layout layout, db::Query& employees)
{
    if (layout == Layout::Extended) {
        auto list = std::make_unique<TQREmployeeExt>(employees);
        list->LblReportTitle().setCaption(QStringLiteral("Extended Employee Listing"));
        return list;
    }
    auto list = std::make_unique<TQREmployeeList>(employees);
    list->LblReportTitle().setCaption(QStringLiteral("Employee Listing"));
    return list;
}
