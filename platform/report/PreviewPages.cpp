#include "platform/report/PreviewPages.h"

#include "platform/report/PageSource.h"

#include <algorithm>

namespace report {

PreviewPages::PreviewPages(Walk walk, int keptPages)
    : m_walk(std::move(walk))
    , m_keptPages(std::max(2, keptPages))
    , m_source(m_walk())
    , m_format(m_source->format())
{
}

PreviewPages::~PreviewPages() = default;

const Page* PreviewPages::page(int number, const Progress& progress)
{
    if (number < 1 || (m_pageCount && number > *m_pageCount))
        return nullptr;
    if (const auto kept = m_kept.find(number); kept != m_kept.end())
        return &kept->second;
    if (!m_source || m_sourcePage >= number) {
        m_source = m_walk();
        m_sourcePage = 0;
    }
    return pullUntil(number, progress);
}

bool PreviewPages::hasPageAfter(int number)
{
    if (m_pageCount)
        return number < *m_pageCount;
    if (number < m_pagesKnown)
        return true;
    // Only the paused walk finds out cheaply; elsewhere assume there is one until a walk says otherwise.
    if (m_source && m_sourcePage == number)
        return pullUntil(number + 1, {}) != nullptr;
    return true;
}

bool PreviewPages::countOn(int lookedAt)
{
    if (m_pageCount)
        return false;
    if (!m_source) {
        m_source = m_walk();
        m_sourcePage = 0;
    }
    pullUntil(m_sourcePage + 1, {}, lookedAt);
    return !m_pageCount;
}

void PreviewPages::dropWalk()
{
    m_source.reset();
    m_sourcePage = 0;
}

const Page* PreviewPages::pullUntil(int number, const Progress& progress, std::optional<int> lookedAt)
{
    try {
        while (m_sourcePage < number) {
            std::optional<Page> page = m_source->nextPage();
            if (!page) {
                m_pageCount = m_sourcePage;
                dropWalk();
                return nullptr;
            }
            ++m_sourcePage;
            m_pagesKnown = std::max(m_pagesKnown, m_sourcePage);
            keep(m_sourcePage, std::move(*page), lookedAt.value_or(number));
            if (m_sourcePage < number && progress && !progress(m_sourcePage))
                return nullptr;
        }
    } catch (...) {
        dropWalk(); // a walk that failed half-way cannot go on
        throw;
    }
    const auto kept = m_kept.find(number);
    return kept == m_kept.end() ? nullptr : &kept->second;
}

void PreviewPages::keep(int number, Page page, int lookedAt)
{
    m_kept.insert_or_assign(number, std::move(page));
    // The page furthest from the one wanted goes first.
    while (static_cast<int>(m_kept.size()) > m_keptPages) {
        const auto first = m_kept.begin();
        const auto last = std::prev(m_kept.end());
        m_kept.erase(lookedAt - first->first >= last->first - lookedAt ? first : last);
    }
}

} // namespace report
