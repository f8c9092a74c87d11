#pragma once

#include <QFont>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace report {

class PageModel;

// The one paint path: preview, print and PDF all paint a page model through paint().
class PagePainter
{
public:
    // Told after each page with the number of pages done; returning false stops before the next page.
    using PageDone = std::function<bool(int pagesDone)>;

    explicit PagePainter(const PageModel& model);

    // Sets the device to the model's paper without margins and paints every page. False when stopped; ReportError
    // when the device cannot be painted on.
    bool paint(QPagedPaintDevice& device, const PageDone& pageDone = {}) const;

    // One page onto a painter whose origin is the paper's top-left corner, at the given device units per inch.
    void paintPage(QPainter& painter, int pageIndex, double unitsPerInchX, double unitsPerInchY) const;

private:
    const PageModel& m_model;
    std::vector<QFont> m_fonts; // per style
};

} // namespace report
