#pragma once

#include "platform/report/PreviewPages.h"

#include <QDateTime>
#include <QString>

class QPrinter;
class QWidget;

namespace report {

class PageSource;

// The outputs of a report: the preview window, the printer and PDF files, all painting through PagePainter. Each
// takes the pages as a walk lays them out and drops every page once painted.
class ReportOutput
{
public:
    // When this environment variable names a file, every print writes that PDF file instead of printing, so that a
    // print can be checked as a user would check it.
    static constexpr const char* printToPdfVariable = "REPORT_PRINT_TO_PDF";

    // Shows the pages of new walks in the preview window and returns when the user closes it; its print button
    // prints as print() does, to the same printer, from the first row. A report without pages opens no window.
    // The window runs through the modal point, so a test's recorder can drive it.
    static void preview(const PreviewPages::Walk& walk, QPrinter* printer, QWidget* parent);

    // All pages, one copy, to the printer (the system's default when none is given), with a progress window
    // whose Cancel drops the job, and without a print dialog. A printer given prints on its own paper and
    // orientation (see PagePainter::paint); the default printer on the layout's. Where no printer is installed the
    // pages go to a PDF file instead (see fallbackPdfPath). Returns the PDF file written, or an empty text when the
    // pages went to the printer, were cancelled, or there were none. ReportError when the output fails.
    static QString print(PageSource& pages, QPrinter* printer, QWidget* parent);

    // ReportError when the file cannot be written or there are no pages; a failed write leaves no file.
    static void writePdf(PageSource& pages, const QString& path);

    // Where a print goes without a printer: "<title> <yyyy-MM-dd HHmmss>.pdf" in the user's documents folder
    // (created when missing), else in the current folder; a number is added when that name is taken.
    static QString fallbackPdfPath(const QString& title, const QDateTime& when = QDateTime::currentDateTime());
};

} // namespace report
