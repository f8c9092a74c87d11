#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace uitest {

// The widget a keystroke reaches: the focused one of the active window.
inline QWidget* focused()
{
    QWidget* const widget = QApplication::focusWidget();
    EXPECT_NE(widget, nullptr) << "nothing has the focus";
    return widget;
}

// Presses a key on the focused widget as the keyboard sends it: the key's code, its text and the modifiers held.
inline void press(Qt::Key key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::sendKeyEvent(QTest::Click, focused(), key, text, modifiers);
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    press(key, QString(), modifiers);
}

// Types text into whatever has the focus, key by key as a user types it: each capital with Shift pressed on its
// own before the letter and released after it, so that the grid sees the lone Shift a keyboard sends.
inline void typeIntoFocus(const QString& text)
{
    for (const QChar character : text) {
        const bool shifted = character.isUpper();
        if (shifted) {
            QTest::sendKeyEvent(QTest::Press, focused(), Qt::Key_Shift, QString(), Qt::ShiftModifier);
        }
        const auto key = static_cast<Qt::Key>(character.toUpper().unicode());
        press(key, QString(character), shifted ? Qt::ShiftModifier : Qt::NoModifier);
        if (shifted) {
            QTest::sendKeyEvent(QTest::Release, focused(), Qt::Key_Shift, QString(), Qt::NoModifier);
        }
    }
}

} // namespace uitest
