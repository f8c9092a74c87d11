#include "FullDisk.h"

#include <QFileInfo>

#include <sqlite3.h>

FullDisk::FullDisk()
    : m_fileSystem([this](WatchedFileSystem::Change change, const char* path) {
        if (change != WatchedFileSystem::Change::Write || m_fullPath.isEmpty() || !path || m_fullPath != path)
            return SQLITE_OK;
        clear();
        return SQLITE_FULL;
    })
{
}

void FullDisk::fill(const QString& path)
{
    // SQLite names a file by its real path; a journal does not exist yet, but its folder does.
    const QFileInfo file(path);
    m_fullPath = (QFileInfo(file.absolutePath()).canonicalFilePath() + u'/' + file.fileName()).toUtf8();
}

void FullDisk::clear()
{
    m_fullPath.clear();
}
