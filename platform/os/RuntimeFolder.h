#pragma once

#include <QString>

namespace os {

// The per-user folder that holds the window links' sockets and the named mutexes' lock files:
// $APP_RUNTIME_DIR when that is set (tests point it at a temporary folder), otherwise the
// "app-links" folder inside the user's runtime folder ($XDG_RUNTIME_DIR).
QString runtimeFolder();

// Creates the folder when it is missing, readable by its owner only. False when it cannot be created.
bool ensureRuntimeFolder(const QString& folder);

} // namespace os
