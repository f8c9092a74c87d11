#pragma once

#include <QString>

namespace db {

// A new file built beside its target and renamed over it at the end, so that a crash leaves the old file or the
// whole new one. The building file, and a journal of it, is removed unless it replaced the target.
//
// The building file's name carries the id of the process that builds it ("table.db.new-<pid>-<hex>"). A process
// killed while it builds cannot remove its file; the next replacement of the same target does, once that process no
// longer runs.
class FileReplacement
{
public:
    explicit FileReplacement(QString target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Where to build: a free name beside the target.
    const QString& buildingPath() const { return m_building; }
    // Renames the built file over the target; false when the target cannot be replaced.
    bool replaceTarget();

    // The target a building path is for (the path itself when it is not one): what messages name.
    static QString targetOf(const QString& path);
    // Removes the building files, and their journals, that processes which no longer run left beside the target.
    // Files of running processes, and files named before the names carried a process id, stay.
    static void removeAbandoned(const QString& target);

private:
    QString m_target;
    QString m_building;
    bool m_replaced = false;
};

} // namespace db
