#pragma once

#include <Qt>

class QKeyEvent;

namespace ui {

// The virtual-key code of a key, as the handlers test it: the physical key on a US layout whatever the shift
// state. Letters 65-90, the digit row 48-57, the keypad's digits and operators 96-111, punctuation 186-192 and
// 219-222, Backspace 8, Tab 9, Enter 13, Shift 16, Ctrl 17, Alt 18, Esc 27, Space 32, Page Up/Down 33/34,
// End 35, Home 36, arrows 37-40, Insert 45, Delete 46, F1-F12 112-123; 0 for any other key.
int virtualKey(const QKeyEvent& event);
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace ui
