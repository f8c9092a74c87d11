#include "platform/ui/VirtualKey.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using ui::virtualKey;

TEST(VirtualKey, KeysMapToTheirUsLayoutCodesWhateverTheShiftState)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    // clang-format off
    const std::vector<std::tuple<int, Qt::KeyboardModifiers, int>> keys = {
        {Qt::Key_A, none, 65}, {Qt::Key_Z, shift, 90}, {Qt::Key_0, none, 48}, {Qt::Key_9, none, 57},
        // Shifted digits name their key, not their symbol.
        {Qt::Key_Exclam, shift, 49}, {Qt::Key_ParenRight, shift, 48}, {Qt::Key_Asterisk, shift, 56},
        // The keypad's digits and operators; with Num Lock off its keys move.
        {Qt::Key_0, keypad, 96}, {Qt::Key_9, keypad, 105}, {Qt::Key_Asterisk, keypad, 106},
        {Qt::Key_Plus, keypad, 107}, {Qt::Key_Minus, keypad, 109}, {Qt::Key_Period, keypad, 110},
        {Qt::Key_Slash, keypad, 111}, {Qt::Key_Enter, keypad, 13}, {Qt::Key_End, keypad, 35},
        {Qt::Key_Delete, keypad, 46},
        // Punctuation, plain and shifted.
        {Qt::Key_Semicolon, none, 186}, {Qt::Key_Colon, shift, 186}, {Qt::Key_Equal, none, 187},
        {Qt::Key_Plus, shift, 187}, {Qt::Key_Comma, none, 188}, {Qt::Key_Less, shift, 188},
        {Qt::Key_Minus, none, 189}, {Qt::Key_Underscore, shift, 189}, {Qt::Key_Period, none, 190},
        {Qt::Key_Greater, shift, 190}, {Qt::Key_Slash, none, 191}, {Qt::Key_Question, shift, 191},
        {Qt::Key_QuoteLeft, none, 192}, {Qt::Key_AsciiTilde, shift, 192}, {Qt::Key_BracketLeft, none, 219},
        {Qt::Key_BraceLeft, shift, 219}, {Qt::Key_Backslash, none, 220}, {Qt::Key_Bar, shift, 220},
        {Qt::Key_BracketRight, none, 221}, {Qt::Key_BraceRight, shift, 221}, {Qt::Key_Apostrophe, none, 222},
        {Qt::Key_QuoteDbl, shift, 222},
        // Editing and movement.
        {Qt::Key_Backspace, none, 8}, {Qt::Key_Return, none, 13}, {Qt::Key_Escape, none, 27},
        {Qt::Key_Space, none, 32}, {Qt::Key_PageDown, none, 34}, {Qt::Key_Delete, none, 46},
        {Qt::Key_Left, none, 37}, {Qt::Key_Down, none, 40}, {Qt::Key_Shift, shift, 16}, {Qt::Key_Eacute, none, 0},
    };
    // clang-format on
    for (const auto& [key, modifiers, code] : keys) {
        EXPECT_EQ(virtualKey(key, modifiers), code) << "Qt key 0x" << std::hex << key;
    }
    const QKeyEvent lower(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, QStringLiteral("m"));
    const QKeyEvent upper(QEvent::KeyRelease, Qt::Key_M, Qt::ShiftModifier, QStringLiteral("M"));
    EXPECT_EQ(virtualKey(lower), 77);
    EXPECT_EQ(virtualKey(upper), 77);
}
