#include "FullDisk.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <cstring>

namespace {

// The file system the wrapper passes everything on to, and the file it refuses to write.
sqlite3_vfs* g_base = nullptr;
QByteArray g_fullPath;

// A file opened through the wrapper: the base file system's own file follows it in the same allocation.
struct WrappedFile
{
    sqlite3_file base;
    sqlite3_file* real;
    const char* path; // valid until the file is closed, as SQLite promises
};

sqlite3_file* real(sqlite3_file* file)
{
    return reinterpret_cast<WrappedFile*>(file)->real;
}

int wrappedClose(sqlite3_file* file)
{
    return real(file)->pMethods->xClose(real(file));
}

int wrappedRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    return real(file)->pMethods->xRead(real(file), buffer, amount, offset);
}

int wrappedWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    const char* const path = reinterpret_cast<WrappedFile*>(file)->path;
    if (!g_fullPath.isEmpty() && path && g_fullPath == path) {
        g_fullPath.clear();
        return SQLITE_FULL;
    }
    return real(file)->pMethods->xWrite(real(file), buffer, amount, offset);
}

int wrappedTruncate(sqlite3_file* file, sqlite3_int64 size)
{
    return real(file)->pMethods->xTruncate(real(file), size);
}

int wrappedSync(sqlite3_file* file, int flags)
{
    return real(file)->pMethods->xSync(real(file), flags);
}

int wrappedFileSize(sqlite3_file* file, sqlite3_int64* size)
{
    return real(file)->pMethods->xFileSize(real(file), size);
}

int wrappedLock(sqlite3_file* file, int lock)
{
    return real(file)->pMethods->xLock(real(file), lock);
}

int wrappedUnlock(sqlite3_file* file, int lock)
{
    return real(file)->pMethods->xUnlock(real(file), lock);
}

int wrappedCheckReservedLock(sqlite3_file* file, int* reserved)
{
    return real(file)->pMethods->xCheckReservedLock(real(file), reserved);
}

int wrappedFileControl(sqlite3_file* file, int operation, void* argument)
{
    return real(file)->pMethods->xFileControl(real(file), operation, argument);
}

int wrappedSectorSize(sqlite3_file* file)
{
    return real(file)->pMethods->xSectorSize(real(file));
}

int wrappedDeviceCharacteristics(sqlite3_file* file)
{
    return real(file)->pMethods->xDeviceCharacteristics(real(file));
}

// Version 1 of the methods: no shared memory (the tables keep a rollback journal) and no memory mapping.
const sqlite3_io_methods wrappedMethods = { 1, wrappedClose, wrappedRead, wrappedWrite, wrappedTruncate, wrappedSync,
    wrappedFileSize, wrappedLock, wrappedUnlock, wrappedCheckReservedLock, wrappedFileControl, wrappedSectorSize,
    wrappedDeviceCharacteristics, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr };

int wrappedOpen(sqlite3_vfs* /*vfs*/, const char* path, sqlite3_file* file, int flags, int* outFlags)
{
    auto* const wrapped = reinterpret_cast<WrappedFile*>(file);
    wrapped->base.pMethods = nullptr;
    wrapped->real = reinterpret_cast<sqlite3_file*>(wrapped + 1);
    wrapped->path = path;
    const int rc = g_base->xOpen(g_base, path, wrapped->real, flags, outFlags);
    if (wrapped->real->pMethods)
        wrapped->base.pMethods = &wrappedMethods;
    return rc;
}

sqlite3_vfs g_wrapper;

} // namespace

FullDisk::FullDisk()
{
    g_base = sqlite3_vfs_find(nullptr);
    g_wrapper = *g_base; // every other call goes to the base file system as it is
    g_wrapper.szOsFile = static_cast<int>(sizeof(WrappedFile)) + g_base->szOsFile;
    g_wrapper.zName = "fulldisk";
    g_wrapper.pNext = nullptr;
    g_wrapper.xOpen = wrappedOpen;
    sqlite3_vfs_register(&g_wrapper, 1);
}

FullDisk::~FullDisk()
{
    clear();
    sqlite3_vfs_unregister(&g_wrapper);
    sqlite3_vfs_register(g_base, 1);
}

void FullDisk::fill(const QString& path)
{
    // SQLite names a file by its real path; a journal does not exist yet, but its folder does.
    const QFileInfo file(path);
    g_fullPath = (QFileInfo(file.absolutePath()).canonicalFilePath() + u'/' + file.fileName()).toUtf8();
}

void FullDisk::clear()
{
    g_fullPath.clear();
}
