#pragma once

#include <QString>

// Gives a file or folder (a link itself, not what it leads to) to a user id that no account has, as another user who
// made it first would leave it. Only root can; elsewhere it returns false and the caller skips.
bool giveToAnotherUser(const QString& path);
