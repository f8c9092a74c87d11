#pragma once

#include <QPixmap>
#include <QSize>

// The pictures of Printroll's tool buttons, drawn at run time: a small sign and the command's word.
namespace ToolBarPictures {

QPixmap preview(QSize size);
QPixmap printer(QSize size);
QPixmap exportFile(QSize size);
QPixmap returnToMain(QSize size);

} // namespace ToolBarPictures
