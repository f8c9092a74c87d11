#pragma once

#include "platform/report/PageModel.h"
#include "platform/report/ReportLayout.h"

#include <QDate>
#include <QObject>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace report {

class RowSource;

// A report: a layout bound to its rows, owned by whoever created it. Every preview, print or file lays the layout
// out afresh over the rows as they are then.
class Report : public QObject
{
    Q_OBJECT

public:
    explicit Report(std::unique_ptr<RowSource> rows, QObject* owner = nullptr);
    ~Report() override;

    ReportLayout& layout() { return m_layout; }
    const ReportLayout& layout() const { return m_layout; }

    // The pages, without any window. ReportError for a field the rows lack.
    PageModel buildPages(const QDate& printDate = QDate::currentDate());

    // Builds the pages (a progress window with Cancel shows when that takes a while) and shows them in the preview
    // window; returns when the user has closed it.
    void Preview(QPrinter* printer = nullptr);

    // Builds the pages and prints them as ReportOutput::print does; returns the PDF file written instead of
    // printing, else an empty text.
    QString Print(QPrinter* printer = nullptr);

    void writePdf(const QString& path);

private:
    std::optional<PageModel> buildWithProgress();
    QWidget* windowParent() const;

    ReportLayout m_layout;
    std::unique_ptr<RowSource> m_rows;
};

} // namespace report
