#include "platform/report/PageFormat.h"

#include "platform/report/ReportError.h"

#include <algorithm>
#include <limits>

namespace report {

PageFormat::PageFormat(const QSizeF& paperSize, QPageLayout::Orientation orientation)
    : m_paperSize(paperSize)
    , m_orientation(orientation)
{
}

QSizeF PageFormat::pageSize() const
{
    return m_orientation == QPageLayout::Landscape ? m_paperSize.transposed() : m_paperSize;
}

quint16 PageFormat::addStyle(const TextStyle& style)
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
