#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Hands the keys that reach watched widgets to a form's handler, before the widget acts on them; the widget then
// handles each key as usual, so a handler informs but never swallows a key. Two kinds of key are reported:
// - Press: a key that types a character, with the character's code: printable characters as typed, Backspace 8,
//   Enter 13 and Esc 27. Keys held with Ctrl, Alt or Meta are commands (copy, select all), not typing, and are not
//   reported, except the paste keys where a form asks for them; nor are Tab, the arrows and other keys that type
//   nothing.
// - Release: every key let go, with its virtual-key code (ui::virtualKey); the releases that an auto-repeating
//   key produces while it is held are left out, so a held key is reported once, when it is let go.
// The handler runs guarded: an error it raises is shown in the default error box.
class KeyHook : public QObject
{
    Q_OBJECT

public:
    enum class Kind
    {
        Press,
        Release,
    };
    using Handler = std::function<void(int key)>;

    KeyHook(Kind kind, Handler handler, QObject* parent);

    void watch(QWidget* widget);
    // Press also reports the paste keys (Ctrl+V, Shift+Insert), as the code Ctrl+V types (22), whether or not there
    // is anything to paste: a paste is typing.
    void reportPasteKeys() { m_pasteKeys = true; }

    static constexpr int pasteCharacter = 22;

    // The character code a key press types, as the Press kind reports it; 0 when it types none.
    static int typedCharacter(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Kind m_kind;
    const Handler m_handler;
    bool m_pasteKeys = false;
};
