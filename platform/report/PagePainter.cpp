#include "platform/report/PagePainter.h"

#include "platform/report/PageModel.h"
#include "platform/report/ReportError.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace report {

PagePainter::PagePainter(const PageModel& model)
    : m_model(model)
{
    m_fonts.reserve(static_cast<size_t>(model.styleCount()));
    for (int i = 0; i < model.styleCount(); ++i)
        m_fonts.push_back(model.style(i).font.toQFont());
}

bool PagePainter::paint(QPagedPaintDevice& device, const PageDone& pageDone) const
{
    // Positions are from the paper's corner, so the device must not add margins of its own.
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setFullPage(true);
    device.setPageLayout(QPageLayout(QPageSize(m_model.paperSize(), QPageSize::Inch), m_model.orientation(),
        QMarginsF(0, 0, 0, 0), QPageLayout::Inch));

    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(QStringLiteral("Cannot print \"%1\": the output could not be opened").arg(m_model.title()));
    for (int i = 0; i < m_model.pageCount(); ++i) {
        if (i > 0 && !device.newPage())
            throw ReportError(
                QStringLiteral("Cannot print \"%1\": page %2 could not be started").arg(m_model.title()).arg(i + 1));
        paintPage(painter, i, device.logicalDpiX(), device.logicalDpiY());
        if (pageDone && !pageDone(i + 1)) {
            // A print job is dropped rather than sent half done.
            if (auto* printer = dynamic_cast<QPrinter*>(&device))
                printer->abort();
            painter.end();
            return false;
        }
    }
    return painter.end();
}

void PagePainter::paintPage(QPainter& painter, int pageIndex, double unitsPerInchX, double unitsPerInchY) const
{
    const Page& page = m_model.page(pageIndex);
    for (int i = 0; i < page.itemCount(); ++i) {
        const PageItem& item = page.item(i);
        const TextStyle& style = m_model.style(item.style);
        const QRectF box(item.left * unitsPerInchX, item.top * unitsPerInchY, item.width * unitsPerInchX,
            item.height * unitsPerInchY);
        // drawText cuts a text off at its box unless told otherwise.
        int flags = Qt::AlignTop | (style.multiLine ? 0 : Qt::TextSingleLine) | (style.clip ? 0 : Qt::TextDontClip);
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
