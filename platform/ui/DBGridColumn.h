#pragma once

#include <QString>
#include <Qt>

namespace ui {

// One column of a DBGrid: the field it shows, its title (the field's display label when empty) and its width
// in pixels (from the field's display width in characters when 0).
struct DBGridColumn
{
    QString fieldName;
    QString title;
    int width = 0;
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    // For the last column, which always reaches the grid's right edge: it takes only the width the others leave,
    // at least `width` (its title's when 0), instead of pushing them out of view when the field is wide.
    bool stretch = false;
};

} // namespace ui
