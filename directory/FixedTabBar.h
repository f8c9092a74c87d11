#pragma once

#include <QSize>
#include <QTabBar>

// A tab bar whose tabs all have one size, whatever their text and the style: the letter tabs and the page tabs
// are laid out in pixels. Its texts are centred in the tabs, since the style's own margins do not fit tabs this
// small; on a left or right edge they read from top to bottom.
class FixedTabBar : public QTabBar
{
    Q_OBJECT

public:
    // For tabs on a left or right edge the size is given as it stands: width across the edge, height along it.
    explicit FixedTabBar(const QSize& tabSize, QWidget* parent = nullptr);

signals:
    // A mouse button was pressed on the bar, any button; a press that selects another tab has changed the current
    // tab before this is emitted.
    void mousePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    void paintTab(QPainter& painter, int index) const;

    QSize m_tabSize;
};
