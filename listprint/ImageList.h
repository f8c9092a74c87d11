#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSize>

// A list of pictures of one size that buttons show by index.
class ImageList : public QObject
{
    Q_OBJECT

public:
    explicit ImageList(QSize size, QObject* parent = nullptr);

    QSize size() const { return m_size; }
    int Count() const { return static_cast<int>(m_pictures.size()); }
    // A picture of another size is scaled to the list's size.
    void add(const QPixmap& picture);
    QPixmap picture(int index) const { return m_pictures.value(index); }

private:
    QSize m_size;
    QList<QPixmap> m_pictures;
};
