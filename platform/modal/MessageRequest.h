#pragma once

#include <QFlags>
#include <QString>

namespace modal {

// The kinds of modal message the programs show. The kind fixes the caption and the icon; the error box of the
// application's exception handler carries the application title instead.
enum class MessageKind
{
    Information,
    Warning,
    Confirmation,
    Error,
};

enum class MessageButton
{
    None = 0x0,
    OK = 0x1,
    Cancel = 0x2,
    Yes = 0x4,
    No = 0x8,
};
Q_DECLARE_FLAGS(MessageButtons, MessageButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MessageButtons)

// One message box as it is asked for: what the user reads and may press.
struct MessageRequest
{
    QString text;
    QString caption;
    MessageKind kind = MessageKind::Information;
    MessageButtons buttons = MessageButton::OK;

    // "Information", "Warning", "Confirm" or "Error".
    static QString captionFor(MessageKind kind);
    // The button that Enter presses: OK, else Yes, else the first one offered.
    static MessageButton defaultButton(MessageButtons buttons);
    // The button that Esc and the close box press: Cancel, else No, else OK.
    static MessageButton escapeButton(MessageButtons buttons);
    // "OK", "Cancel", "&Yes", "&No".
    static QString buttonText(MessageButton button);
};

} // namespace modal
