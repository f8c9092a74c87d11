#include "directory/FixedTabBar.h"

#include <QStyleOptionTab>
#include <QStylePainter>

FixedTabBar::FixedTabBar(const QSize& tabSize, QWidget* parent)
    : QTabBar(parent)
    , m_tabSize(tabSize)
{
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
}

void FixedTabBar::mousePressEvent(QMouseEvent* event)
{
    QTabBar::mousePressEvent(event);
    emit mousePressed();
}

QSize FixedTabBar::tabSizeHint(int /*index*/) const
{
    return m_tabSize;
}

QSize FixedTabBar::minimumTabSizeHint(int /*index*/) const
{
    return m_tabSize;
}

void FixedTabBar::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    // The selected tab last, so that it overlaps its neighbours as a selected tab does.
    for (int index = 0; index < count(); ++index) {
        if (index != currentIndex())
            paintTab(painter, index);
    }
    if (currentIndex() >= 0)
        paintTab(painter, currentIndex());
}

void FixedTabBar::paintTab(QPainter& painter, int index) const
{
    QStyleOptionTab option;
    initStyleOption(&option, index);
    style()->drawControl(QStyle::CE_TabBarTabShape, &option, &painter, this);

    painter.save();
    painter.setPen(palette().color(isTabEnabled(index) ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect rect = option.rect;
    const bool vertical = shape() == QTabBar::RoundedEast || shape() == QTabBar::RoundedWest
        || shape() == QTabBar::TriangularEast || shape() == QTabBar::TriangularWest;
    if (vertical) {
        painter.translate(rect.center());
        painter.rotate(90);
        const QRect turned(-rect.height() / 2, -rect.width() / 2, rect.height(), rect.width());
        painter.drawText(turned, Qt::AlignCenter | Qt::TextShowMnemonic, option.text);
    } else {
        painter.drawText(rect, Qt::AlignCenter | Qt::TextShowMnemonic, option.text);
    }
    painter.restore();
}
