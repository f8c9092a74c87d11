#include "listprint/ImageList.h"

ImageList::ImageList(QSize size, QObject* parent)
    : QObject(parent)
    , m_size(size)
{
}

void ImageList::add(const QPixmap& picture)
{
    m_pictures.append(
        picture.size() == m_size ? picture : picture.scaled(m_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
