#pragma once

#include "platform/report/PageModel.h"
#include "platform/report/ReportLayout.h"

#include <QDate>
#include <QObject>

#include <memory>

class QPrinter;
class QWidget;

namespace report {

class LayoutEngine;
class RowSource;

// A report: a layout bound to its rows, owned by whoever created it. Every preview, print or file lays the layout
// out afresh over the rows as they are then, walking them from the first row.
class Report : public QObject
{
    Q_OBJECT

public:
    explicit Report(std::unique_ptr<RowSource> rows, QObject* owner = nullptr);
    ~Report() override;

    ReportLayout& layout() { return m_layout; }
    const ReportLayout& layout() const { return m_layout; }

    // A walk over the rows that hands out one page at a time. It uses this report's layout and rows: it must not
    // outlive the report, and one walk at a time moves the rows. ReportError for a field the rows lack.
    std::unique_ptr<LayoutEngine> layOut(const QDate& printDate = QDate::currentDate());

    // Every page at once, without any window.
    PageModel buildPages(const QDate& printDate = QDate::currentDate());

    // Shows the pages in the preview window, laid out as the user moves to them; returns when the user has closed
    // it.
    void Preview(QPrinter* printer = nullptr);

    // Prints the pages as they are laid out, as ReportOutput::print does; returns the PDF file written instead of
    // printing, else an empty text.
    QString Print(QPrinter* printer = nullptr);

    void writePdf(const QString& path);

private:
    QWidget* windowParent() const;

    ReportLayout m_layout;
    std::unique_ptr<RowSource> m_rows;
};

} // namespace report
