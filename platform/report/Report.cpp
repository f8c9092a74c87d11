#include "platform/report/Report.h"

#include "platform/report/LayoutEngine.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/RowSource.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

namespace report {

Report::Report(std::unique_ptr<RowSource> rows, QObject* owner)
    : QObject(owner)
    , m_rows(std::move(rows))
{
}

Report::~Report() = default;

PageModel Report::buildPages(const QDate& printDate)
{
    LayoutEngine engine(m_layout, *m_rows, printDate);
    return *engine.run();
}

void Report::Preview(QPrinter* printer)
{
    if (const std::optional<PageModel> pages = buildWithProgress())
        ReportOutput::preview(*pages, printer, windowParent());
}

QString Report::Print(QPrinter* printer)
{
    if (const std::optional<PageModel> pages = buildWithProgress())
        return ReportOutput::print(*pages, printer, windowParent());
    return {};
}

void Report::writePdf(const QString& path)
{
    ReportOutput::writePdf(buildPages(), path);
}

std::optional<PageModel> Report::buildWithProgress()
{
    LayoutEngine engine(m_layout, *m_rows);
    // Window messages go on while a long list is laid out; the modal progress window keeps the user from
    // starting a second run meanwhile and offers Cancel.
    QProgressDialog progress(
        QStringLiteral("Preparing \"%1\"...").arg(m_layout.title()), QStringLiteral("Cancel"), 0, 0, windowParent());
    progress.setObjectName(QStringLiteral("ReportProgress"));
    progress.setWindowTitle(QStringLiteral("Preparing"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    engine.setProgress([&progress](int pages, qint64) {
        progress.setLabelText(QStringLiteral("Preparing page %1...").arg(pages));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    return engine.run();
}

QWidget* Report::windowParent() const
{
    return qobject_cast<QWidget*>(parent());
}

} // namespace report
