#pragma once

#include "platform/report/PaperBin.h"

#include <QPageLayout>
#include <QSizeF>

namespace report {

// Paper, margins and columns of a layout, in inches. Columns share the printable width, spacing between them.
struct PageSetup
{
    QSizeF paperSize { 8.5, 11.0 }; // portrait width and height: Letter
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double topMargin = 0;
    double bottomMargin = 0;
    double leftMargin = 0;
    double rightMargin = 0;
    int columns = 1;
    double columnSpacing = 0;
    PaperBin paperBin = PaperBin::First;

    QSizeF pageSize() const { return orientation == QPageLayout::Landscape ? paperSize.transposed() : paperSize; }
    double printableWidth() const { return pageSize().width() - leftMargin - rightMargin; }
    double columnWidth() const { return (printableWidth() - (columns - 1) * columnSpacing) / columns; }
    double columnLeft(int column) const { return leftMargin + column * (columnWidth() + columnSpacing); }
};

} // namespace report
