#include "directory/KeyHook.h"

#include "platform/ui/Guard.h"
#include "platform/ui/VirtualKey.h"

#include <QKeyEvent>
#include <QWidget>

KeyHook::KeyHook(Kind kind, Handler handler, QObject* parent)
    : QObject(parent)
    , m_kind(kind)
    , m_handler(std::move(handler))
{
}

void KeyHook::watch(QWidget* widget)
{
    widget->installEventFilter(this);
}

int KeyHook::typedCharacter(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    switch (event.key()) {
    case Qt::Key_Backspace:
        return ui::keyCode::backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ui::keyCode::enter;
    case Qt::Key_Escape:
        return ui::keyCode::escape;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return 0;
    return static_cast<int>(text.at(0).unicode());
}

bool KeyHook::eventFilter(QObject* watched, QEvent* event)
{
    if (m_kind == Kind::Press && event->type() == QEvent::KeyPress) {
        const auto* const key = static_cast<QKeyEvent*>(event);
        int character = typedCharacter(*key);
        if (character == 0 && m_pasteKeys && key->matches(QKeySequence::Paste))
            character = pasteCharacter;
        if (character != 0)
            ui::guarded([this, character] { m_handler(character); });
    } else if (m_kind == Kind::Release && event->type() == QEvent::KeyRelease) {
        const auto* const key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            const int code = ui::virtualKey(*key);
            ui::guarded([this, code] { m_handler(code); });
        }
    }
    return QObject::eventFilter(watched, event);
}
