#include "platform/report/PageModel.h"

#include "platform/report/ReportError.h"

#include <algorithm>
#include <limits>

namespace report {

PageModel::PageModel(const QSizeF& paperSize, QPageLayout::Orientation orientation)
    : m_paperSize(paperSize)
    , m_orientation(orientation)
{
}

QSizeF PageModel::pageSize() const
{
    return m_orientation == QPageLayout::Landscape ? m_paperSize.transposed() : m_paperSize;
}

Page& PageModel::addPage()
{
    return m_pages.emplace_back();
}

quint16 PageModel::addStyle(const TextStyle& style)
{
    const auto found = std::find(m_styles.begin(), m_styles.end(), style);
    if (found != m_styles.end())
        return static_cast<quint16>(found - m_styles.begin());
    if (m_styles.size() > std::numeric_limits<quint16>::max())
        throw ReportError(QStringLiteral("The report uses too many different text styles"));
    m_styles.push_back(style);
    return static_cast<quint16>(m_styles.size() - 1);
}

} // namespace report
