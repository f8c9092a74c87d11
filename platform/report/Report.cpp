#include "platform/report/Report.h"

#include "platform/report/LayoutEngine.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/RowSource.h"

#include <QWidget>

namespace report {

Report::Report(std::unique_ptr<RowSource> rows, QObject* owner)
    : QObject(owner)
    , m_rows(std::move(rows))
{
}

Report::~Report() = default;

std::unique_ptr<LayoutEngine> Report::layOut(const QDate& printDate)
{
    return std::make_unique<LayoutEngine>(m_layout, *m_rows, printDate);
}

PageModel Report::buildPages(const QDate& printDate)
{
    return *layOut(printDate)->run();
}

void Report::Preview(QPrinter* printer)
{
    // Every walk of one preview prints the same date, also when it is laid out again after midnight.
    const QDate printDate = QDate::currentDate();
    ReportOutput::preview([this, printDate] { return layOut(printDate); }, printer, windowParent());
}

QString Report::Print(QPrinter* printer)
{
    return ReportOutput::print(*layOut(), printer, windowParent());
}

void Report::writePdf(const QString& path)
{
    ReportOutput::writePdf(*layOut(), path);
}

QWidget* Report::windowParent() const
{
    return qobject_cast<QWidget*>(parent());
}

} // namespace report
