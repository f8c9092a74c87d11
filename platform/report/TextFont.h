#pragma once

#include <QFont>
#include <QRgb>
#include <QString>

namespace report {

// A control's font and colour. Families resolve through the system's font configuration, so "Arial" prints as
// its metric-compatible Liberation Sans where Arial itself is not installed.
struct TextFont
{
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QRgb colour = 0xff000000;

    QFont toQFont() const; // sized in points, unhinted so that widths scale with the device

    friend bool operator==(const TextFont&, const TextFont&) = default;
};

} // namespace report
