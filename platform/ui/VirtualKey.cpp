#include "platform/ui/VirtualKey.h"

#include <QKeyEvent>

namespace ui {

namespace {

// The keypad keys, told apart from the main block by the keypad modifier.
int keypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return keyCode::keypad0 + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return keyCode::keypadMultiply;
    case Qt::Key_Plus:
        return keyCode::keypadAdd;
    case Qt::Key_Comma:
        return keyCode::keypadSeparator;
    case Qt::Key_Minus:
        return keyCode::keypadSubtract;
    case Qt::Key_Period:
        return keyCode::keypadDecimal;
    case Qt::Key_Slash:
        return keyCode::keypadDivide;
    case Qt::Key_Enter:
        return keyCode::enter;
    default:
        return 0;
    }
}

// The main block. Qt names the character a key produced, so shifted symbols are mapped back to their key.
int mainKey(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return qtKey; // Qt's letter keys are the upper-case codes 65-90 already
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return keyCode::f1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return keyCode::backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return keyCode::tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keyCode::enter;
    case Qt::Key_Shift:
        return keyCode::shift;
    case Qt::Key_Control:
        return keyCode::control;
    case Qt::Key_Alt:
        return keyCode::alt;
    case Qt::Key_Pause:
        return keyCode::pause;
    case Qt::Key_CapsLock:
        return keyCode::capsLock;
    case Qt::Key_Escape:
        return keyCode::escape;
    case Qt::Key_Space:
        return keyCode::space;
    case Qt::Key_PageUp:
        return keyCode::pageUp;
    case Qt::Key_PageDown:
        return keyCode::pageDown;
    case Qt::Key_End:
        return keyCode::end;
    case Qt::Key_Home:
        return keyCode::home;
    case Qt::Key_Left:
        return keyCode::left;
    case Qt::Key_Up:
        return keyCode::up;
    case Qt::Key_Right:
        return keyCode::right;
    case Qt::Key_Down:
        return keyCode::down;
    case Qt::Key_Insert:
        return keyCode::insert;
    case Qt::Key_Delete:
        return keyCode::deleteKey;
    // Shifted digits
    case Qt::Key_ParenRight:
        return keyCode::digit0 + 0;
    case Qt::Key_Exclam:
        return keyCode::digit0 + 1;
    case Qt::Key_At:
        return keyCode::digit0 + 2;
    case Qt::Key_NumberSign:
        return keyCode::digit0 + 3;
    case Qt::Key_Dollar:
        return keyCode::digit0 + 4;
    case Qt::Key_Percent:
        return keyCode::digit0 + 5;
    case Qt::Key_AsciiCircum:
        return keyCode::digit0 + 6;
    case Qt::Key_Ampersand:
        return keyCode::digit0 + 7;
    case Qt::Key_Asterisk:
        return keyCode::digit0 + 8;
    case Qt::Key_ParenLeft:
        return keyCode::digit0 + 9;
    // Punctuation, plain and shifted
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return keyCode::semicolon;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return keyCode::equal;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return keyCode::comma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return keyCode::minus;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return keyCode::period;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return keyCode::slash;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return keyCode::backquote;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return keyCode::bracketLeft;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return keyCode::backslash;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return keyCode::bracketRight;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return keyCode::quote;
    default:
        return 0;
    }
}

} // namespace

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int code = keypadKey(qtKey)) {
            return code;
        }
    }
    return mainKey(qtKey);
}

int virtualKey(const QKeyEvent& event)
{
    return virtualKey(event.key(), event.modifiers());
}

} // namespace ui
