#pragma once

#include "bench/DirectoryBench.h"

#include <QString>

#include <memory>

namespace db {
class Query;
}
namespace report {
class Report;
}

// The list printer's employee lists over a directory folder, run as the list printer runs them: the employee query
// with the list's text, the layout over it, and then a PDF file or the preview window.
class ReportBench
{
public:
    enum class Layout
    {
        Extended, // TQREmployeeExt, two columns
        EmployeeList, // TQREmployeeList, grouped by first letter
    };

    struct PdfFigures
    {
        qint64 rows = 0;
        int pages = 0;
        double ms = 0; // from opening the query to the file written
        qint64 residentBeforeKb = 0; // before the query opened
        qint64 peakKb = 0; // the most the process held while it ran
    };

    static bool parseLayout(const QString& name, Layout& layout); // "ext" or "list"

    explicit ReportBench(const QString& folder);

    // Lays the list out and writes it to a PDF file at `path`.
    PdfFigures writePdf(Layout layout, const QString& path);

    // From opening the query to the preview window shown with its first page painted, in ms.
    double firstPreviewPageMs(Layout layout);

private:
    static std::unique_ptr<report::Report> createLayout(Layout layout, db::Query& employees);

    DirectoryBench m_directory;
};
