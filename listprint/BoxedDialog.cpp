#include "listprint/BoxedDialog.h"

#include "platform/ui/Bevel.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QVBoxLayout& layOutBoxedDialog(QDialog& dialog, ui::Bevel& box, QPushButton& ok, QPushButton& cancel)
{
    // The box and the controls share one cell: the controls stand inside its frame, by the margins a layout of the
    // box's own would keep, but stay children of the dialog, since the box passes the mouse on to what lies below.
    auto* framed = new QVBoxLayout; // owned by the dialog's layout
    const QStyle* const style = box.style();
    const int frame = box.frameWidth();
    framed->setContentsMargins(style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &box) + frame,
        style->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, &box) + frame,
        style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, &box) + frame,
        style->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, &box) + frame);
    auto* boxed = new QGridLayout; // owned by the dialog's layout
    boxed->addWidget(&box, 0, 0);
    boxed->addLayout(framed, 0, 0);

    ok.setDefault(true);
    ok.setAutoDefault(true);
    cancel.setAutoDefault(false);
    auto* buttons = new QHBoxLayout; // owned by the dialog's layout
    buttons->addStretch(1);
    buttons->addWidget(&ok);
    buttons->addWidget(&cancel);

    auto* layout = new QVBoxLayout(&dialog); // owned by the dialog
    layout->addLayout(boxed);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return *framed;
}
