#pragma once

#include <QtGlobal>

namespace report {

// One positioned text on a page. Kept small: a long list has millions of them.
struct PageItem
{
    float left; // inches from the paper's left edge
    float top; // inches from the paper's top edge
    float width;
    float height;
    quint32 textOffset; // into the page's text store
    quint16 textSize; // bytes of UTF-8
    quint16 style; // index into the page model's styles
};

static_assert(sizeof(PageItem) == 24);

} // namespace report
