#include "listprint/ToolBarPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace ToolBarPictures {

namespace {

constexpr QColor ink(0x1f, 0x3f, 0x7a);
constexpr QColor paper(0xfc, 0xfc, 0xf8);

// A picture with a sign in a square at the left and a word beside it.
QPixmap picture(QSize size, const QString& word, const std::function<void(QPainter&, const QRectF&)>& sign)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF signBox(0.5, 0.5, size.height() - 1.0, size.height() - 1.0);
    sign(painter, signBox);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(8, size.height() - 6));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(signBox.right() + 3, 0, size.width() - signBox.right() - 3, size.height()),
        Qt::AlignLeft | Qt::AlignVCenter, word);
    return pixmap;
}

void sheet(QPainter& painter, const QRectF& box)
{
    painter.setPen(QPen(ink, 1));
    painter.setBrush(paper);
    painter.drawRect(box.adjusted(2, 0, -3, 0));
    for (double y = box.top() + 4; y < box.bottom() - 2; y += 3)
        painter.drawLine(QPointF(box.left() + 4, y), QPointF(box.right() - 5, y));
}

} // namespace

QPixmap preview(QSize size)
{
    return picture(size, QStringLiteral("Preview"), [](QPainter& painter, const QRectF& box) {
        sheet(painter, box);
        const double r = box.width() * 0.28;
        const QPointF centre(box.center().x() + 1, box.center().y() - 1);
        painter.setPen(QPen(Qt::darkRed, 2));
        painter.setBrush(QColor(255, 255, 255, 180));
        painter.drawEllipse(centre, r, r);
        painter.drawLine(centre + QPointF(r * 0.7, r * 0.7), box.bottomRight() - QPointF(1, 1));
    });
}

QPixmap printer(QSize size)
{
    return picture(size, QStringLiteral("Print"), [](QPainter& painter, const QRectF& box) {
        painter.setPen(QPen(ink, 1));
        painter.setBrush(paper);
        painter.drawRect(QRectF(box.left() + 4, box.top(), box.width() - 8, box.height() * 0.45));
        painter.setBrush(QColor(0x8a, 0x9b, 0xb4));
        painter.drawRoundedRect(
            QRectF(box.left(), box.top() + box.height() * 0.35, box.width(), box.height() * 0.45), 2, 2);
        painter.setBrush(paper);
        painter.drawRect(QRectF(box.left() + 4, box.top() + box.height() * 0.65, box.width() - 8, box.height() * 0.35));
    });
}

QPixmap exportFile(QSize size)
{
    return picture(size, QStringLiteral("Export"), [](QPainter& painter, const QRectF& box) {
        sheet(painter, box);
        painter.setPen(QPen(Qt::darkGreen, 2));
        const double y = box.center().y();
        painter.drawLine(QPointF(box.left() + 2, y), QPointF(box.right() - 1, y));
        painter.drawLine(QPointF(box.right() - 5, y - 4), QPointF(box.right() - 1, y));
        painter.drawLine(QPointF(box.right() - 5, y + 4), QPointF(box.right() - 1, y));
    });
}

QPixmap returnToMain(QSize size)
{
    return picture(size, QStringLiteral("Return"), [](QPainter& painter, const QRectF& box) {
        painter.setPen(QPen(Qt::darkRed, 2));
        painter.setBrush(Qt::NoBrush);
        QPainterPath bend;
        bend.moveTo(box.right() - 2, box.top() + 3);
        bend.lineTo(box.right() - 2, box.center().y() + 2);
        bend.lineTo(box.left() + 3, box.center().y() + 2);
        painter.drawPath(bend);
        const QPointF tip(box.left() + 2, box.center().y() + 2);
        painter.drawLine(tip, tip + QPointF(4, -4));
        painter.drawLine(tip, tip + QPointF(4, 4));
    });
}

} // namespace ToolBarPictures
