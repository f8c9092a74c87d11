#pragma once

#include <QFont>
#include <QPageLayout>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace report {

class Page;
class PageFormat;
class PageSource;

// The one paint path: preview, print and PDF all paint pages through paintPage().
class PagePainter
{
public:
    // Told after each page with the number of pages done; returning false stops before the next page.
    using PageDone = std::function<bool(int pagesDone)>;

    enum class Result
    {
        NoPages, // the source had none: the device was not opened
        Painted,
        Stopped, // by PageDone; a printer's job is dropped
    };

    explicit PagePainter(const PageFormat& format);

    // Sets the device to the paper without margins and paints the pages of the source, which has this painter's
    // format, one at a time as they come. ReportError when the device cannot be painted on.
    //
    // The paper is the layout's own unless another is given (the one chosen in a printer set-up): pages are then
    // painted on that paper as it is turned, at their own size where they fit it, else made smaller to fit and
    // centred across it, so that nothing falls off its edge.
    Result paint(QPagedPaintDevice& device, PageSource& pages, const PageDone& pageDone = {},
        const std::optional<QPageLayout>& paper = std::nullopt) const;

    // One page onto a painter whose origin is the paper's top-left corner, at the given device units per inch.
    void paintPage(QPainter& painter, const Page& page, double unitsPerInchX, double unitsPerInchY) const;

private:
    const PageFormat& m_format;
    std::vector<QFont> m_fonts; // per style
};

} // namespace report
