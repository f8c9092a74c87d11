#pragma once

#include "platform/report/Page.h"
#include "platform/report/PageFormat.h"

#include <QPageLayout>
#include <QSizeF>
#include <QString>

#include <deque>

namespace report {

// A laid-out report held whole: its format and every page. Reports are printed page by page without one (see
// PageSource); a model is for looking at all pages at once, as tests do.
class PageModel
{
public:
    explicit PageModel(PageFormat format);

    const PageFormat& format() const { return m_format; }
    QSizeF paperSize() const { return m_format.paperSize(); }
    QPageLayout::Orientation orientation() const { return m_format.orientation(); }
    QSizeF pageSize() const { return m_format.pageSize(); }
    const QString& title() const { return m_format.title(); }
    PaperBin paperBin() const { return m_format.paperBin(); }
    int styleCount() const { return m_format.styleCount(); }
    const TextStyle& style(int index) const { return m_format.style(index); }

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    const Page& page(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    void addPage(Page page);

private:
    PageFormat m_format;
    std::deque<Page> m_pages;
};

} // namespace report
