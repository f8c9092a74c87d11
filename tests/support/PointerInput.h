#pragma once

#include <QPoint>
#include <QString>
#include <QTest>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

// The mouse as a user's arrives: at a point of a shown window, which hands it to whatever widget lies on top there
// (a frame drawn over a group gets it as it would a user's), never straight to a widget object.
namespace pointer {

// The point `at` of the widget (its centre when not given) in its window's coordinates.
inline QPoint windowPoint(const QWidget& widget, std::optional<QPoint> at = {})
{
    return widget.mapTo(widget.window(), at.value_or(widget.rect().center()));
}

// The widget the window hands the mouse to at that point.
inline QWidget* reached(const QWidget& widget, std::optional<QPoint> at = {})
{
    QWidget* const window = widget.window();
    QWidget* const top = window->childAt(windowPoint(widget, at));
    return top ? top : window;
}

inline void click(const QWidget& widget, std::optional<QPoint> at = {})
{
    QTest::mouseClick(widget.window()->windowHandle(), Qt::LeftButton, {}, windowPoint(widget, at));
}

// Rests the mouse at that point; whether a tooltip holding `part` shows there within five seconds. A tooltip shown
// before is put away first.
inline bool showsTooltip(const QWidget& widget, const QString& part, std::optional<QPoint> at = {})
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000))
        return false;
    // A move to where the mouse already stands reaches no widget: it arrives from the next pixel.
    const QPoint point = windowPoint(widget, at);
    QTest::mouseMove(widget.window()->windowHandle(), point + QPoint(1, 1));
    QTest::mouseMove(widget.window()->windowHandle(), point);
    return QTest::qWaitFor([&part] { return QToolTip::isVisible() && QToolTip::text().contains(part); }, 5000);
}

// Each named control of the window is shown and gets the mouse at its centre, not something lying over it.
inline void expectMouseReaches(const QWidget& window, std::initializer_list<const char*> controls)
{
    for (const char* const name : controls) {
        const auto* const control = window.findChild<QWidget*>(QLatin1StringView(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(control->isVisible()) << name;
        const QWidget* const top = reached(*control);
        EXPECT_TRUE(top == control || control->isAncestorOf(top))
            << name << " lies under " << top->metaObject()->className() << " " << top->objectName().toStdString();
    }
}

} // namespace pointer
