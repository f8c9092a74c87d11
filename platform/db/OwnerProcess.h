#pragma once

#include <QString>

namespace db {

// Work files and folders carry the id of the process that makes them in their names ("DestTable.db.new-4711-…"),
// so that what a process left when it was killed can be told from what a running one still uses.
class OwnerProcess
{
public:
    // This process's id, as the names carry it.
    static QString currentId();
    // True only when no process of that id runs any more. A running process of another user, and text that is not a
    // process id, never count as ended: their files are not ours to remove.
    static bool hasEnded(const QString& id);
};

} // namespace db
