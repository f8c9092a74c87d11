#include "platform/modal/MessageRequest.h"

namespace modal {

QString MessageRequest::captionFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Confirmation:
        return QStringLiteral("Confirm");
    case MessageKind::Error:
        return QStringLiteral("Error");
    }
    return {};
}

MessageButton MessageRequest::defaultButton(MessageButtons buttons)
{
    for (const MessageButton button :
        { MessageButton::OK, MessageButton::Yes, MessageButton::No, MessageButton::Cancel }) {
        if (buttons.testFlag(button)) {
            return button;
        }
    }
    return MessageButton::None;
}

MessageButton MessageRequest::escapeButton(MessageButtons buttons)
{
    for (const MessageButton button : { MessageButton::Cancel, MessageButton::No, MessageButton::OK }) {
        if (buttons.testFlag(button)) {
            return button;
        }
    }
    return defaultButton(buttons);
}

QString MessageRequest::buttonText(MessageButton button)
{
    switch (button) {
    case MessageButton::OK:
        return QStringLiteral("OK");
    case MessageButton::Cancel:
        return QStringLiteral("Cancel");
    case MessageButton::Yes:
        return QStringLiteral("&Yes");
    case MessageButton::No:
        return QStringLiteral("&No");
    case MessageButton::None:
        break;
    }
    return {};
}

} // namespace modal
