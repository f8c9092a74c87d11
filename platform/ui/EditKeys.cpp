#include "platform/ui/EditKeys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace ui {

bool changesText(const QKeyEvent& event, bool multiLine)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return multiLine;
    }
    for (const QKeySequence::StandardKey key : { QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo,
             QKeySequence::Redo, QKeySequence::Delete, QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord,
             QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine, QKeySequence::Backspace }) {
        if (event.matches(key)) {
            return true;
        }
    }
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete) {
        return true;
    }
    return typesCharacter(event);
}

bool typesCharacter(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint()) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::MetaModifier) {
        return false;
    }
    return modifiers.testFlag(Qt::ControlModifier) == modifiers.testFlag(Qt::AltModifier);
}

bool isTabKey(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace ui
