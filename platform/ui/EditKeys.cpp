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
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace ui
