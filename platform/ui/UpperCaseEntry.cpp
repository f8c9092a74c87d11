#include "platform/ui/UpperCaseEntry.h"

#include <QLineEdit>

namespace ui {

void enterUpperCase(QLineEdit& edit)
{
    QObject::connect(&edit, &QLineEdit::textEdited, &edit, [&edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit.cursorPosition();
            edit.setText(upper);
            edit.setCursorPosition(cursor);
        }
    });
}

} // namespace ui
