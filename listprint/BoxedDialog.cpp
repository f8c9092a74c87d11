#include "listprint/BoxedDialog.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

QVBoxLayout& layOutBoxedDialog(QDialog& dialog, QFrame& box, QPushButton& ok, QPushButton& cancel)
{
    box.setFrameShape(QFrame::Box);
    box.setFrameShadow(QFrame::Sunken);
    auto* framed = new QVBoxLayout(&box); // owned by the box

    ok.setDefault(true);
    ok.setAutoDefault(true);
    cancel.setAutoDefault(false);
    auto* buttons = new QHBoxLayout; // owned by the dialog's layout
    buttons->addStretch(1);
    buttons->addWidget(&ok);
    buttons->addWidget(&cancel);

    auto* layout = new QVBoxLayout(&dialog); // owned by the dialog
    layout->addWidget(&box);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return *framed;
}
