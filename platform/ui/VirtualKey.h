#pragma once

#include <Qt>

class QKeyEvent;

namespace ui {

// The virtual-key codes the handlers test, by name. Ranges are given by their first and last code.
namespace keyCode {

inline constexpr int backspace = 8;
inline constexpr int tab = 9;
inline constexpr int enter = 13;
inline constexpr int shift = 16;
inline constexpr int control = 17;
inline constexpr int alt = 18;
inline constexpr int pause = 19;
inline constexpr int capsLock = 20;
inline constexpr int escape = 27;
inline constexpr int space = 32;
inline constexpr int pageUp = 33;
inline constexpr int pageDown = 34;
inline constexpr int end = 35;
inline constexpr int home = 36;
inline constexpr int left = 37;
inline constexpr int up = 38;
inline constexpr int right = 39;
inline constexpr int down = 40;
inline constexpr int insert = 45;
inline constexpr int deleteKey = 46;
inline constexpr int digit0 = 48; // the digit row, 0 to 9
inline constexpr int digit9 = 57;
inline constexpr int letterA = 65; // the letters, A to Z
inline constexpr int letterZ = 90;
inline constexpr int keypad0 = 96; // the keypad's digits, 0 to 9
inline constexpr int keypad9 = 105;
inline constexpr int keypadMultiply = 106;
inline constexpr int keypadAdd = 107;
inline constexpr int keypadSeparator = 108;
inline constexpr int keypadSubtract = 109;
inline constexpr int keypadDecimal = 110;
inline constexpr int keypadDivide = 111;
inline constexpr int f1 = 112; // F1 to F12
inline constexpr int f12 = 123;
inline constexpr int semicolon = 186; // ; :
inline constexpr int equal = 187; // = +
inline constexpr int comma = 188; // , <
inline constexpr int minus = 189; // - _
inline constexpr int period = 190; // . >
inline constexpr int slash = 191; // / ?
inline constexpr int backquote = 192; // ` ~
inline constexpr int bracketLeft = 219; // [ {
inline constexpr int backslash = 220; // \ |
inline constexpr int bracketRight = 221; // ] }
inline constexpr int quote = 222; // ' "

} // namespace keyCode

// The virtual-key code of a key, as the handlers test it: the physical key on a US layout whatever the shift
// state; 0 for a key without a code above.
int virtualKey(const QKeyEvent& event);
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace ui
