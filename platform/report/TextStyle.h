#pragma once

#include "platform/report/Alignment.h"
#include "platform/report/TextFont.h"

namespace report {

// How a page item's text is drawn. Page models share styles by index, so a million rows carry no fonts.
struct TextStyle
{
    TextFont font;
    Alignment alignment = Alignment::Left;
    bool multiLine = false; // a fixed box: the text holds the line breaks of its wrapped lines

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

} // namespace report
