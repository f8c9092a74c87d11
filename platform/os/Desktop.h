#pragma once

#include <QString>

namespace os {

// Opens a web address (or anything the desktop knows how to open) in the user's browser, as hyperlink
// navigation did; an address without a scheme such as "www.example.com" is taken as a web address.
// False when the desktop refused; callers may ignore it.
bool navigateTo(const QString& address);

// The clipboard's plain text, replacing it, and emptying it (nothing on it at all, not even an empty text).
// They need the GUI application object.
QString clipboardText();
void setClipboardText(const QString& text);
void clearClipboard();

} // namespace os
