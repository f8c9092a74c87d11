#include "platform/report/PageModel.h"

namespace report {

PageModel::PageModel(PageFormat format)
    : m_format(std::move(format))
{
}

void PageModel::addPage(Page page)
{
    m_pages.push_back(std::move(page));
}

} // namespace report
