#include "platform/report/PagePainter.h"

#include "platform/report/Page.h"
#include "platform/report/PageFormat.h"
#include "platform/report/PageSource.h"
#include "platform/report/ReportError.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace report {

PagePainter::PagePainter(const PageFormat& format)
    : m_format(format)
{
    m_fonts.reserve(static_cast<size_t>(format.styleCount()));
    for (int i = 0; i < format.styleCount(); ++i)
        m_fonts.push_back(format.style(i).font.toQFont());
}

PagePainter::Result PagePainter::paint(QPagedPaintDevice& device, PageSource& pages, const PageDone& pageDone,
    const std::optional<QPageLayout>& paper) const
{
    // A printer or a file is opened only for a report that has a page.
    std::optional<Page> page = pages.nextPage();
    if (!page)
        return Result::NoPages;

    // Positions are from the paper's corner, so the device must not add margins of its own.
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (printer)
        printer->setFullPage(true);
    const QPageLayout sheet = paper ? QPageLayout(paper->pageSize(), paper->orientation(), QMarginsF(0, 0, 0, 0))
                                    : QPageLayout(QPageSize(m_format.paperSize(), QPageSize::Inch),
                                        m_format.orientation(), QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
    device.setPageLayout(sheet);
    const QSizeF sheetInches = sheet.fullRect(QPageLayout::Inch).size();
    const QSizeF pageInches = m_format.pageSize();
    const double scale
        = std::min({ 1.0, sheetInches.width() / pageInches.width(), sheetInches.height() / pageInches.height() });
    const double across = scale < 1 ? (sheetInches.width() - pageInches.width() * scale) / 2 : 0;

    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(QStringLiteral("Cannot print \"%1\": the output could not be opened").arg(m_format.title()));
    // Scaled rather than painted at fewer units per inch, so that fonts, given in points, shrink with the page.
    painter.translate(across * device.logicalDpiX(), 0);
    painter.scale(scale, scale);
    for (int done = 0; page; page = pages.nextPage()) {
        if (done > 0 && !device.newPage())
            throw ReportError(QStringLiteral("Cannot print \"%1\": page %2 could not be started")
                                  .arg(m_format.title())
                                  .arg(done + 1));
        paintPage(painter, *page, device.logicalDpiX(), device.logicalDpiY());
        ++done;
        if (pageDone && !pageDone(done)) {
            // A print job is dropped rather than sent half done.
            if (printer)
                printer->abort();
            painter.end();
            return Result::Stopped;
        }
    }
    if (!painter.end())
        throw ReportError(
            QStringLiteral("Cannot print \"%1\": the output could not be finished").arg(m_format.title()));
    return Result::Painted;
}

void PagePainter::paintPage(QPainter& painter, const Page& page, double unitsPerInchX, double unitsPerInchY) const
{
    for (int i = 0; i < page.itemCount(); ++i) {
        const PageItem& item = page.item(i);
        const TextStyle& style = m_format.style(item.style);
        const QRectF box(item.left * unitsPerInchX, item.top * unitsPerInchY, item.width * unitsPerInchX,
            item.height * unitsPerInchY);
        // Texts are never cut off at their box: the layout wrapped every line to fit it, and a cut would only take
        // a glyph's edge where the device rounds differently from the layout's measure.
        int flags = Qt::AlignTop | Qt::TextDontClip | (style.multiLine ? 0 : Qt::TextSingleLine);
        switch (style.alignment) {
        case Alignment::Left:
            flags |= Qt::AlignLeft;
            break;
        case Alignment::Right:
            flags |= Qt::AlignRight;
            break;
        case Alignment::Center:
            flags |= Qt::AlignHCenter;
            break;
        }
        painter.setFont(m_fonts[item.style]);
        painter.setPen(QColor::fromRgba(style.font.colour));
        painter.drawText(box, flags, page.text(i));
    }
}

} // namespace report
