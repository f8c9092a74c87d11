#pragma once

#include "platform/report/Page.h"
#include "platform/report/PageFormat.h"

#include <optional>

namespace report {

// Pages handed out one at a time, in order, so that a consumer paints a page and drops it before the next exists.
class PageSource
{
public:
    virtual ~PageSource() = default;

    // Known before the first page.
    virtual const PageFormat& format() const = 0;

    // The next finished page; none after the last one.
    virtual std::optional<Page> nextPage() = 0;
};

} // namespace report
