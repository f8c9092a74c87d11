#pragma once

#include "platform/report/Alignment.h"
#include "platform/report/TextFont.h"

namespace report {

// How a page item's text is drawn. Page models share styles by index, so a million rows carry no fonts.
struct TextStyle
{
    TextFont font;
    Alignment alignment = Alignment::Left;
    bool clip = true; // fixed boxes cut off what does not fit; boxes sized to their text never do
    bool multiLine = false; // the text holds the line breaks of word wrap

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

} // namespace report
