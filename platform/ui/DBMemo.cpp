#include "platform/ui/DBMemo.h"

#include "platform/db/Field.h"
#include "platform/ui/EditKeys.h"
#include "platform/ui/Guard.h"

#include <QKeyEvent>

namespace ui {

DBMemo::DBMemo(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_link(this)
{
    connect(&m_link, &FieldDataLink::recordChanged, this, &DBMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::onTextChanged);
}

void DBMemo::showField()
{
    const db::Field* const bound = m_link.field();
    const QString value = bound ? bound->AsString() : QString();
    if (toPlainText() != value) {
        m_showing = true;
        setPlainText(value);
        m_showing = false;
    }
}

void DBMemo::keyPressEvent(QKeyEvent* event)
{
    if (changesText(*event, true) && !m_link.editForUser(isReadOnly())) {
        event->accept(); // refused: the text stays as the record has it
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::onTextChanged()
{
    if (m_showing) {
        return;
    }
    if (!m_link.editing() && !m_link.editForUser(isReadOnly())) {
        showField();
        return;
    }
    db::Field* const bound = m_link.field();
    if (!bound || bound->AsString() == toPlainText()) {
        return;
    }
    m_showing = true;
    guarded([&] { bound->setAsString(toPlainText()); });
    m_showing = false;
}

} // namespace ui
