#pragma once

#include <QRgb>

// The colours the list layouts print in.
struct ReportColours
{
    static constexpr QRgb black = 0xff000000;
    static constexpr QRgb blue = 0xff0000ff;
    static constexpr QRgb navy = 0xff000080;
    static constexpr QRgb red = 0xffff0000;
};
