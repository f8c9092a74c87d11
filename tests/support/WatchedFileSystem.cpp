#include "WatchedFileSystem.h"

#include <QtGlobal>

#include <sqlite3.h>

namespace {

// The file system in force before ours, which does the work, and the watcher of the one that lives.
sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_watched {};
WatchedFileSystem::Watcher g_watcher;

// A file opened through ours: the base file system's own file follows it in the same allocation.
struct WatchedFile
{
    sqlite3_file base;
    sqlite3_file* real;
    const char* path; // valid until the file is closed, as SQLite promises
};

sqlite3_file* real(sqlite3_file* file)
{
    return reinterpret_cast<WatchedFile*>(file)->real;
}

int watch(WatchedFileSystem::Change change, sqlite3_file* file)
{
    return g_watcher(change, reinterpret_cast<WatchedFile*>(file)->path);
}

int watchedClose(sqlite3_file* file)
{
    const int rc = real(file)->pMethods ? real(file)->pMethods->xClose(real(file)) : SQLITE_OK;
    file->pMethods = nullptr;
    return rc;
}

int watchedRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    return real(file)->pMethods->xRead(real(file), buffer, amount, offset);
}

int watchedWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    const int rc = watch(WatchedFileSystem::Change::Write, file);
    return rc != SQLITE_OK ? rc : real(file)->pMethods->xWrite(real(file), buffer, amount, offset);
}

int watchedTruncate(sqlite3_file* file, sqlite3_int64 size)
{
    const int rc = watch(WatchedFileSystem::Change::Truncate, file);
    return rc != SQLITE_OK ? rc : real(file)->pMethods->xTruncate(real(file), size);
}

int watchedSync(sqlite3_file* file, int flags)
{
    const int rc = watch(WatchedFileSystem::Change::Sync, file);
    return rc != SQLITE_OK ? rc : real(file)->pMethods->xSync(real(file), flags);
}

int watchedFileSize(sqlite3_file* file, sqlite3_int64* size)
{
    return real(file)->pMethods->xFileSize(real(file), size);
}

int watchedLock(sqlite3_file* file, int lock)
{
    return real(file)->pMethods->xLock(real(file), lock);
}

int watchedUnlock(sqlite3_file* file, int lock)
{
    return real(file)->pMethods->xUnlock(real(file), lock);
}

int watchedCheckReservedLock(sqlite3_file* file, int* reserved)
{
    return real(file)->pMethods->xCheckReservedLock(real(file), reserved);
}

int watchedFileControl(sqlite3_file* file, int operation, void* argument)
{
    return real(file)->pMethods->xFileControl(real(file), operation, argument);
}

int watchedSectorSize(sqlite3_file* file)
{
    return real(file)->pMethods->xSectorSize(real(file));
}

int watchedDeviceCharacteristics(sqlite3_file* file)
{
    return real(file)->pMethods->xDeviceCharacteristics(real(file));
}

// Version 1 of the methods: no shared memory (the tables keep a rollback journal) and no memory mapping, so every
// change goes through xWrite.
const sqlite3_io_methods watchedMethods = { 1, watchedClose, watchedRead, watchedWrite, watchedTruncate, watchedSync,
    watchedFileSize, watchedLock, watchedUnlock, watchedCheckReservedLock, watchedFileControl, watchedSectorSize,
    watchedDeviceCharacteristics, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr };

int watchedOpen(sqlite3_vfs* /*vfs*/, sqlite3_filename path, sqlite3_file* file, int flags, int* outFlags)
{
    auto* const watched = reinterpret_cast<WatchedFile*>(file);
    watched->base.pMethods = nullptr;
    watched->real = reinterpret_cast<sqlite3_file*>(watched + 1);
    watched->path = path;
    const int rc = g_base->xOpen(g_base, path, watched->real, flags, outFlags);
    if (watched->real->pMethods)
        watched->base.pMethods = &watchedMethods;
    return rc;
}

int watchedDelete(sqlite3_vfs* /*vfs*/, const char* path, int syncFolder)
{
    const int rc = g_watcher(WatchedFileSystem::Change::Delete, path);
    return rc != SQLITE_OK ? rc : g_base->xDelete(g_base, path, syncFolder);
}

} // namespace

WatchedFileSystem::WatchedFileSystem(Watcher watcher)
{
    Q_ASSERT(!g_base);
    g_watcher = std::move(watcher);
    g_base = sqlite3_vfs_find(nullptr);
    g_watched = *g_base; // every call not watched goes to the base file system as it is
    g_watched.szOsFile = static_cast<int>(sizeof(WatchedFile)) + g_base->szOsFile;
    g_watched.zName = "watched";
    g_watched.pNext = nullptr;
    g_watched.xOpen = watchedOpen;
    g_watched.xDelete = watchedDelete;
    sqlite3_vfs_register(&g_watched, 1);
}

WatchedFileSystem::~WatchedFileSystem()
{
    sqlite3_vfs_unregister(&g_watched);
    sqlite3_vfs_register(g_base, 1);
    g_base = nullptr;
    g_watcher = nullptr;
}
