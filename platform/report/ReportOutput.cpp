#include "platform/report/ReportOutput.h"

#include "platform/report/PageModel.h"
#include "platform/report/PagePainter.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/ReportError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>

#include <memory>

namespace report {

namespace {

ReportOutput::PreviewRunner& previewRunner()
{
    static ReportOutput::PreviewRunner runner;
    return runner;
}

// A printer that can take the pages: a PDF printer needs a file, a native one a printer that exists.
bool canPrintTo(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !QPrinterInfo::availablePrinters().isEmpty() && printer.isValid() && !printer.printerName().isEmpty();
}

QString safeFileName(const QString& title)
{
    QString name = title.trimmed();
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = u'_';
    }
    return name.isEmpty() ? QStringLiteral("Report") : name;
}

} // namespace

void ReportOutput::preview(const PageModel& pages, QPrinter* printer, QWidget* parent)
{
    if (const PreviewRunner& runner = previewRunner()) {
        runner(pages);
        return;
    }
    if (pages.pageCount() == 0)
        return;
    // The preview's print button prints as the print command does, to the same printer.
    PreviewDialog dialog(
        pages, [&pages, printer](QWidget* window) { print(pages, printer, window); }, parent);
    dialog.exec();
}

QString ReportOutput::print(const PageModel& pages, QPrinter* printer, QWidget* parent)
{
    if (pages.pageCount() == 0)
        return {};
    if (const QString redirect = qEnvironmentVariable(printToPdfVariable); !redirect.isEmpty()) {
        writePdf(pages, redirect);
        return redirect;
    }

    std::unique_ptr<QPrinter> defaultPrinter;
    if (!printer) {
        defaultPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer = defaultPrinter.get();
    }
    if (!canPrintTo(*printer)) {
        const QString path = fallbackPdfPath(pages.title());
        writePdf(pages, path);
        return path;
    }

    printer->setDocName(pages.title());
    printer->setCopyCount(1);
    printer->setPrintRange(QPrinter::AllPages);
    printer->setDuplex(QPrinter::DuplexNone);
    printer->setPaperSource(pages.paperBin() == PaperBin::Automatic ? QPrinter::Auto : QPrinter::Upper);

    QProgressDialog progress(QStringLiteral("Printing \"%1\"...").arg(pages.title()), QStringLiteral("Cancel"), 0,
        pages.pageCount(), parent);
    progress.setObjectName(QStringLiteral("PrintProgress"));
    progress.setWindowTitle(QStringLiteral("Printing"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    PagePainter(pages).paint(*printer, [&progress, &pages](int done) {
        progress.setLabelText(QStringLiteral("Printing page %1 of %2").arg(done).arg(pages.pageCount()));
        progress.setValue(done); // a modal progress window keeps window messages flowing
        return !progress.wasCanceled();
    });
    return {};
}

void ReportOutput::writePdf(const PageModel& pages, const QString& path)
{
    if (pages.pageCount() == 0)
        throw ReportError(QStringLiteral("Cannot write the PDF file \"%1\": the report has no pages").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setTitle(pages.title());
        writer.setCreator(QCoreApplication::applicationName());
        PagePainter(pages).paint(writer);
    }
    if (!file.commit())
        throw ReportError(QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(path, file.errorString()));
}

QString ReportOutput::fallbackPdfPath(const QString& title, const QDateTime& when)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::currentPath();
    const QString base
        = QStringLiteral("%1 %2").arg(safeFileName(title), when.toString(QStringLiteral("yyyy-MM-dd HHmmss")));
    QString path = QDir(folder).filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    return path;
}

ReportOutput::PreviewRunner ReportOutput::setPreviewRunner(PreviewRunner runner)
{
    return std::exchange(previewRunner(), std::move(runner));
}

} // namespace report
