#include "platform/report/PreviewPageView.h"

#include "platform/report/PagePainter.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace report {

namespace {

constexpr int desk = 12; // pixels of desk around the page

} // namespace

PreviewPageView::PreviewPageView(const PagePainter& painter, const QSizeF& pageInches, QWidget* parent)
    : QWidget(parent)
    , m_painter(painter)
    , m_pageInches(pageInches)
{
    setObjectName(QStringLiteral("PreviewPage"));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPageView::setPage(const Page& page)
{
    m_page = page;
    update();
}

void PreviewPageView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.1, 8.0);
    resize(sizeHint());
    update();
}

double PreviewPageView::zoomToFitWidth(int width) const
{
    // A pixel to spare: the view's size is rounded up.
    return (width - 2 * desk - 1) / pagePixels().width();
}

double PreviewPageView::zoomToFit(const QSize& room) const
{
    return std::min(zoomToFitWidth(room.width()), (room.height() - 2 * desk - 1) / pagePixels().height());
}

QSize PreviewPageView::sizeHint() const
{
    const QSizeF page = pagePixels() * m_zoom;
    return { qCeil(page.width()) + 2 * desk, qCeil(page.height()) + 2 * desk };
}

void PreviewPageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const QRectF paper(QPointF(desk, desk), pagePixels() * m_zoom);
    painter.fillRect(paper.translated(3, 3), palette().color(QPalette::Shadow));
    painter.fillRect(paper, Qt::white);
    if (!m_page)
        return;
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(paper);
    // Scaled rather than drawn at zoomed units, so that fonts, given in points, grow with the page.
    painter.translate(paper.topLeft());
    painter.scale(m_zoom, m_zoom);
    m_painter.paintPage(painter, *m_page, logicalDpiX(), logicalDpiY());
}

QSizeF PreviewPageView::pagePixels() const
{
    return { m_pageInches.width() * logicalDpiX(), m_pageInches.height() * logicalDpiY() };
}

} // namespace report
