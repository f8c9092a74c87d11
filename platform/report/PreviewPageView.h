#pragma once

#include "platform/report/Page.h"

#include <QWidget>

#include <optional>

namespace report {

class PagePainter;

// One page of a preview on a grey desk, drawn at a zoom factor through the report's page painter; 1 is the paper's
// real size on the screen.
class PreviewPageView : public QWidget
{
    Q_OBJECT

public:
    PreviewPageView(const PagePainter& painter, const QSizeF& pageInches, QWidget* parent = nullptr);

    void setPage(const Page& page); // a copy: the preview's store may drop its own
    const Page* page() const { return m_page ? &*m_page : nullptr; }
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

    // The zoom at which a page fills this much room across, or entirely.
    double zoomToFitWidth(int width) const;
    double zoomToFit(const QSize& room) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSizeF pagePixels() const; // at zoom 1

    const PagePainter& m_painter;
    QSizeF m_pageInches;
    std::optional<Page> m_page;
    double m_zoom = 1;
};

} // namespace report
