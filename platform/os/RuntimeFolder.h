#pragma once

#include <QString>

namespace os {

// The per-user folder that holds the window links' sockets and the named mutexes' lock files:
// $APP_RUNTIME_DIR when that is set (tests point it at a temporary folder), otherwise the "app-links" folder inside
// the user's runtime folder ($XDG_RUNTIME_DIR, or the one Qt keeps in the temporary folder). Where the user has no
// runtime folder of their own (another user took that name first), "app-links-<user id>" in the temporary folder.
// Whichever it is, ensureRuntimeFolder decides whether it may be used.
QString runtimeFolder();

// Readies the folder for this user's sockets and lock files, creating it readable by its owner only when it is
// missing (its parent folders too). True only when it is then a folder, not a symbolic link, that belongs to this
// user and has mode 0700. Anything else (another user's folder, a link, a folder open to others, a file) is left
// as it is, and false tells the caller to do without the folder: no lock, no links.
bool ensureRuntimeFolder(const QString& folder);

} // namespace os
