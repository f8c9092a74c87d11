#pragma once

#include "platform/report/Page.h"
#include "platform/report/PageFormat.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace report {

class PageSource;

// The pages of a preview, laid out when first wanted. A walk over the rows stays paused after the last page it
// laid out, so moving forward costs a page at a time; the pages around the one looked at are kept, and a page
// further back is laid out again by a new walk from the first row. Memory stays the same for any length of list.
class PreviewPages
{
public:
    // A new walk from the first row of the report.
    using Walk = std::function<std::unique_ptr<PageSource>()>;
    // Told while pages are laid out on the way to a far one, with the number of the page reached; returning false
    // stops there.
    using Progress = std::function<bool(int pageNumber)>;

    // Starts the first walk; what the walk throws passes on.
    explicit PreviewPages(Walk walk, int keptPages = 64);
    ~PreviewPages();
    PreviewPages(const PreviewPages&) = delete;
    PreviewPages& operator=(const PreviewPages&) = delete;

    const PageFormat& format() const { return m_format; }

    // The page with this number, counted from 1, or none past the last page or when the progress stopped. The
    // pointer is good until the next call that lays out pages.
    const Page* page(int number, const Progress& progress = {});
    // Whether there is a page after this one: known from the pages laid out, else the next page is laid out.
    bool hasPageAfter(int number);
    // The number of pages, once a walk has reached the end.
    std::optional<int> pageCount() const { return m_pageCount; }
    int pagesKnown() const { return m_pagesKnown; } // the highest page number laid out so far

    // Lays out the page after the last one the walk laid out (a new walk starts when there is none), to learn how
    // many pages there are without the user paging there; the pages around lookedAt stay kept. False once the
    // number of pages is known. What the walk throws passes on.
    bool countOn(int lookedAt);

    // Forgets the paused walk, for when someone else has walked the rows meanwhile (a print does): pages that are
    // not kept are then laid out by a new walk.
    void dropWalk();

private:
    // lookedAt: the page whose neighbours stay kept, the one pulled for when none.
    const Page* pullUntil(int number, const Progress& progress, std::optional<int> lookedAt = std::nullopt);
    void keep(int number, Page page, int lookedAt);

    Walk m_walk;
    int m_keptPages;
    std::unique_ptr<PageSource> m_source;
    PageFormat m_format;
    int m_sourcePage = 0; // the last page the paused walk laid out
    std::map<int, Page> m_kept;
    std::optional<int> m_pageCount;
    int m_pagesKnown = 0;
};

} // namespace report
