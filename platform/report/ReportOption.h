#pragma once

#include <QFlags>

namespace report {

enum class ReportOption
{
    // Concerns a page header band on the first page. The engine offers no page header band, so the option is
    // kept with a layout but changes nothing.
    FirstPageHeader = 0x1,
    // The page footer is printed on the last page too; without it the last page has none.
    LastPageFooter = 0x2,
};

Q_DECLARE_FLAGS(ReportOptions, ReportOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(ReportOptions)

} // namespace report
