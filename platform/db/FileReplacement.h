#pragma once

#include <QString>

namespace db {

// A new file built beside its target and renamed over it at the end, so that a crash leaves the old file or the
// whole new one. The building file, and a journal of it, is removed unless it replaced the target.
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

private:
    QString m_target;
    QString m_building;
    bool m_replaced = false;
};

} // namespace db
