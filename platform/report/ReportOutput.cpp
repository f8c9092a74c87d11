#include "platform/report/ReportOutput.h"

#include "platform/modal/ModalPoint.h"
#include "platform/report/PagePainter.h"
#include "platform/report/PageSource.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/ReportError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <memory>

namespace report {

namespace {

// Pages whose first one was taken ahead to learn whether there is any; it is handed out again first.
class PeekedPages : public PageSource
{
public:
    explicit PeekedPages(PageSource& pages)
        : m_pages(pages)
        , m_first(pages.nextPage())
    {
    }

    bool isEmpty() const { return !m_first && !m_firstTaken; }
    const PageFormat& format() const override { return m_pages.format(); }
    std::optional<Page> nextPage() override
    {
        if (!m_firstTaken) {
            m_firstTaken = true;
            return std::exchange(m_first, std::nullopt);
        }
        return m_pages.nextPage();
    }

private:
    PageSource& m_pages;
    std::optional<Page> m_first;
    bool m_firstTaken = false;
};

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

// False when stopped: the file is then left as it was, or not made.
bool writePdfFile(PageSource& pages, const QString& path, const PagePainter::PageDone& pageDone = {},
    const std::optional<QPageLayout>& paper = std::nullopt)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(path, file.errorString()));
    PagePainter::Result result = PagePainter::Result::NoPages;
    {
        QPdfWriter writer(&file);
        writer.setTitle(pages.format().title());
        writer.setCreator(QCoreApplication::applicationName());
        result = PagePainter(pages.format()).paint(writer, pages, pageDone, paper);
    }
    if (result != PagePainter::Result::Painted)
        return false;
    if (!file.commit())
        throw ReportError(QStringLiteral("Cannot write the PDF file \"%1\": %2").arg(path, file.errorString()));
    return true;
}

} // namespace

void ReportOutput::preview(const PreviewPages::Walk& walk, QPrinter* printer, QWidget* parent)
{
    // The preview's print button prints as the print command does, to the same printer, in a walk of its own.
    PreviewDialog dialog(
        walk,
        [walk, printer](QWidget* window) {
            const std::unique_ptr<PageSource> pages = walk();
            print(*pages, printer, window);
        },
        parent);
    if (dialog.hasPages())
        modal::ModalPoint::runModal(dialog);
}

QString ReportOutput::print(PageSource& pages, QPrinter* printer, QWidget* parent)
{
    PeekedPages peeked(pages);
    if (peeked.isEmpty())
        return {};

    const QString title = pages.format().title();
    // A printer given is the program's, set up by the user: its paper and orientation hold, also where the pages
    // go to a PDF file instead.
    const std::optional<QPageLayout> paper
        = printer ? std::optional<QPageLayout>(printer->pageLayout()) : std::optional<QPageLayout>();
    QString pdfPath = qEnvironmentVariable(printToPdfVariable);
    std::unique_ptr<QPrinter> defaultPrinter;
    if (pdfPath.isEmpty()) {
        if (!printer) {
            defaultPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer = defaultPrinter.get();
        }
        if (!canPrintTo(*printer))
            pdfPath = fallbackPdfPath(title);
    }

    // Pages are laid out while they print, so the progress window counts pages without knowing how many follow. It
    // is application modal: that keeps a second run from starting meanwhile.
    const std::unique_ptr<modal::Progress> progress = modal::ModalPoint::startProgress(
        { QStringLiteral("Printing"), QStringLiteral("Printing \"%1\"...").arg(title), QStringLiteral("Cancel"),
            QStringLiteral("PrintProgress"), Qt::ApplicationModal },
        parent);
    const auto pageDone = [&progress](int done) {
        progress->step(QStringLiteral("Printing page %1...").arg(done));
        return !progress->cancelled();
    };
    if (!pdfPath.isEmpty())
        return writePdfFile(peeked, pdfPath, pageDone, paper) ? pdfPath : QString();

    printer->setDocName(title);
    printer->setCopyCount(1);
    printer->setPrintRange(QPrinter::AllPages);
    printer->setDuplex(QPrinter::DuplexNone);
    printer->setPaperSource(pages.format().paperBin() == PaperBin::Automatic ? QPrinter::Auto : QPrinter::Upper);
    PagePainter(pages.format()).paint(*printer, peeked, pageDone, paper);
    return {};
}

void ReportOutput::writePdf(PageSource& pages, const QString& path)
{
    PeekedPages peeked(pages);
    if (peeked.isEmpty())
        throw ReportError(QStringLiteral("Cannot write the PDF file \"%1\": the report has no pages").arg(path));
    writePdfFile(peeked, path);
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

} // namespace report
