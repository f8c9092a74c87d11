#pragma once

#include "WatchedFileSystem.h"

#include <QByteArray>
#include <QString>

// While it lives, connections opened through SQLite's default file system find a chosen file on a full disk: the
// next write to it fails as on a full disk, and the writes after it find room again, as when another program has
// freed some, so that a rollback can restore what was written before. Nothing fails until a file is chosen. Files
// opened before it was made are not reached.
class FullDisk
{
public:
    FullDisk();

    // The file whose next write fails, by its path ("/folder/employee.DB", or its journal "...-journal").
    void fill(const QString& path);
    void clear();

private:
    QByteArray m_fullPath;
    const WatchedFileSystem m_fileSystem;
};
