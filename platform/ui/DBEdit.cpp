#include "platform/ui/DBEdit.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/ui/EditKeys.h"
#include "platform/ui/Guard.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

namespace {

constexpr int unlimitedLength = 32767; // QLineEdit's own default

bool holdsText(const db::Field& field)
{
    return field.DataType() != db::FieldType::Short;
}

} // namespace

DBEdit::DBEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_link(this)
{
    connect(&m_link, &FieldDataLink::recordChanged, this, &DBEdit::showField);
    connect(this, &QLineEdit::textEdited, this, &DBEdit::onTextEdited);
}

void DBEdit::showField()
{
    m_showing = true;
    const db::Field* const bound = m_link.field();
    const bool limited = bound && bound->DataType() == db::FieldType::Alpha && bound->Size() > 0;
    const int length = limited ? bound->Size() : unlimitedLength;
    if (maxLength() != length) {
        setMaxLength(length);
    }
    const QString value = bound ? bound->AsString() : QString();
    if (text() != value) {
        setText(value);
    }
    m_showing = false;
}

void DBEdit::keyPressEvent(QKeyEvent* event)
{
    if (!changesText(*event, false)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!m_link.editForUser(isReadOnly())) {
        event->accept(); // refused: the text stays as the record has it
        return;
    }
    const QString typed = event->text();
    if (m_charCase == CharCase::UpperCase && typed != typed.toUpper()) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), typed.toUpper(), event->isAutoRepeat(),
            static_cast<quint16>(event->count()));
        QLineEdit::keyPressEvent(&upper);
        event->setAccepted(upper.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DBEdit::onTextEdited(const QString& edited)
{
    if (m_showing) {
        return;
    }
    // Changes that bypass the keyboard (a paste by mouse, a drop) are checked here.
    if (!m_link.editing() && !m_link.editForUser(isReadOnly())) {
        showField();
        return;
    }
    if (m_charCase == CharCase::UpperCase && edited != edited.toUpper()) {
        const int cursor = cursorPosition();
        m_showing = true;
        setText(edited.toUpper());
        setCursorPosition(cursor);
        m_showing = false;
    }
    writeField(false);
}

void DBEdit::writeField(bool finished)
{
    db::Field* const bound = m_link.field();
    if (!bound || !m_link.editing() || bound->AsString() == text()) {
        return;
    }
    // A number is taken once it reads as one, or when the user leaves the edit (the error then says why).
    if (!holdsText(*bound) && !finished && !text().isEmpty()) {
        bool isNumber = false;
        text().toShort(&isNumber);
        if (!isNumber) {
            return;
        }
    }
    m_showing = true;
    guarded([&] { bound->setAsString(text()); });
    m_showing = false;
}

void DBEdit::focusOutEvent(QFocusEvent* event)
{
    writeField(true);
    QLineEdit::focusOutEvent(event);
}

void DBEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void DBEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

} // namespace ui
