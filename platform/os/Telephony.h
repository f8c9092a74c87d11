#pragma once

#include <QString>
#include <QUrl>

namespace os {

// How an assisted-telephony call request was handed on.
enum class CallRequestResult
{
    CallManagerStarted, // the configured call-manager command was started
    HandedToDesktop, // the desktop accepted the tel: address
    Failed // neither could take it
};

// The configured call manager: the program path in $APP_CALL_MANAGER, empty when none is configured.
QString callManagerCommand();

// The tel: address of a destination. Digits and the dialling marks '*', '+', '-', '.', '(' and ')' stay as
// they are; every other character, '#' included, is percent-escaped as UTF-8, so that nothing in a stored
// number can end the address or start another part of it (parameters, a fragment, a second address).
QUrl telUrl(const QString& destination);

// Asks the desktop to place a call. With a call manager configured, that program is started detached with
// exactly the four strings as its four arguments, in this order (no shell sees them); without one, the
// destination goes to the desktop as a tel: address, which the desktop passes to the user's softphone.
// Nothing waits for the call; callers may ignore the result.
CallRequestResult tapiRequestMakeCall(const QString& destination, const QString& application,
    const QString& calledParty, const QString& comment, const QString& callManager = callManagerCommand());

} // namespace os
