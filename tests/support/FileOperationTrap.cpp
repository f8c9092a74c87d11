#include "FileOperationTrap.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>
#include <iostream>
#include <string>

namespace {

sqlite3_vfs* realVfs = nullptr;
sqlite3_vfs trapVfs {};
sqlite3_io_methods trapMethods {};
std::atomic<qint64> operations { 0 };
qint64 stopAt = 0;
bool logEach = false;

// A file of the trap: the real file follows it in the same block.
struct TrapFile
{
    sqlite3_file base;
    sqlite3_file* real;
    char name[128];
};

sqlite3_file* real(sqlite3_file* file)
{
    return reinterpret_cast<TrapFile*>(file)->real;
}

void copyName(char (&to)[128], const char* path)
{
    const char* slash = path ? std::strrchr(path, '/') : nullptr;
    const char* name = slash ? slash + 1 : (path ? path : "(temporary)");
    std::strncpy(to, name, sizeof to - 1);
    to[sizeof to - 1] = '\0';
}

void counted(const char* kind, const char* name)
{
    const qint64 number = ++operations;
    if (logEach)
        std::cout << "operation " << number << ' ' << kind << ' ' << name << std::endl;
    if (number == stopAt) {
        std::cout << "stopped at " << number << ' ' << kind << ' ' << name << std::endl;
        std::string line;
        std::getline(std::cin, line);
    }
}

int trapClose(sqlite3_file* file)
{
    const int rc = real(file)->pMethods ? real(file)->pMethods->xClose(real(file)) : SQLITE_OK;
    file->pMethods = nullptr;
    return rc;
}

int trapRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    return real(file)->pMethods->xRead(real(file), buffer, amount, offset);
}

int trapWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    counted("write", reinterpret_cast<TrapFile*>(file)->name);
    return real(file)->pMethods->xWrite(real(file), buffer, amount, offset);
}

int trapTruncate(sqlite3_file* file, sqlite3_int64 size)
{
    counted("truncate", reinterpret_cast<TrapFile*>(file)->name);
    return real(file)->pMethods->xTruncate(real(file), size);
}

int trapSync(sqlite3_file* file, int flags)
{
    counted("sync", reinterpret_cast<TrapFile*>(file)->name);
    return real(file)->pMethods->xSync(real(file), flags);
}

int trapFileSize(sqlite3_file* file, sqlite3_int64* size)
{
    return real(file)->pMethods->xFileSize(real(file), size);
}

int trapLock(sqlite3_file* file, int lock)
{
    return real(file)->pMethods->xLock(real(file), lock);
}

int trapUnlock(sqlite3_file* file, int lock)
{
    return real(file)->pMethods->xUnlock(real(file), lock);
}

int trapCheckReservedLock(sqlite3_file* file, int* result)
{
    return real(file)->pMethods->xCheckReservedLock(real(file), result);
}

int trapFileControl(sqlite3_file* file, int op, void* argument)
{
    return real(file)->pMethods->xFileControl(real(file), op, argument);
}

int trapSectorSize(sqlite3_file* file)
{
    return real(file)->pMethods->xSectorSize(real(file));
}

int trapDeviceCharacteristics(sqlite3_file* file)
{
    return real(file)->pMethods->xDeviceCharacteristics(real(file));
}

int trapOpen(sqlite3_vfs*, sqlite3_filename path, sqlite3_file* file, int flags, int* outFlags)
{
    auto* const trap = reinterpret_cast<TrapFile*>(file);
    trap->real = reinterpret_cast<sqlite3_file*>(trap + 1);
    copyName(trap->name, path);
    const int rc = realVfs->xOpen(realVfs, path, trap->real, flags, outFlags);
    // Version 1 methods: no shared memory and no memory mapping, so every change goes through xWrite.
    file->pMethods = trap->real->pMethods ? &trapMethods : nullptr;
    return rc;
}

int trapDelete(sqlite3_vfs*, const char* path, int syncDir)
{
    char name[128];
    copyName(name, path);
    counted("delete", name);
    return realVfs->xDelete(realVfs, path, syncDir);
}

int trapAccess(sqlite3_vfs*, const char* path, int flags, int* result)
{
    return realVfs->xAccess(realVfs, path, flags, result);
}

int trapFullPathname(sqlite3_vfs*, const char* path, int size, char* out)
{
    return realVfs->xFullPathname(realVfs, path, size, out);
}

int trapRandomness(sqlite3_vfs*, int size, char* out)
{
    return realVfs->xRandomness(realVfs, size, out);
}

int trapSleep(sqlite3_vfs*, int microseconds)
{
    return realVfs->xSleep(realVfs, microseconds);
}

int trapCurrentTime(sqlite3_vfs*, double* now)
{
    return realVfs->xCurrentTime(realVfs, now);
}

int trapGetLastError(sqlite3_vfs*, int size, char* out)
{
    return realVfs->xGetLastError ? realVfs->xGetLastError(realVfs, size, out) : 0;
}

int trapCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now)
{
    return realVfs->xCurrentTimeInt64(realVfs, now);
}

} // namespace

void FileOperationTrap::install(qint64 at, bool logEveryOperation)
{
    stopAt = at;
    logEach = logEveryOperation;
    if (realVfs)
        return;
    realVfs = sqlite3_vfs_find(nullptr);
    trapMethods.iVersion = 1;
    trapMethods.xClose = trapClose;
    trapMethods.xRead = trapRead;
    trapMethods.xWrite = trapWrite;
    trapMethods.xTruncate = trapTruncate;
    trapMethods.xSync = trapSync;
    trapMethods.xFileSize = trapFileSize;
    trapMethods.xLock = trapLock;
    trapMethods.xUnlock = trapUnlock;
    trapMethods.xCheckReservedLock = trapCheckReservedLock;
    trapMethods.xFileControl = trapFileControl;
    trapMethods.xSectorSize = trapSectorSize;
    trapMethods.xDeviceCharacteristics = trapDeviceCharacteristics;

    trapVfs.iVersion = 2;
    trapVfs.szOsFile = static_cast<int>(sizeof(TrapFile)) + realVfs->szOsFile;
    trapVfs.mxPathname = realVfs->mxPathname;
    trapVfs.zName = "operation-trap";
    trapVfs.xOpen = trapOpen;
    trapVfs.xDelete = trapDelete;
    trapVfs.xAccess = trapAccess;
    trapVfs.xFullPathname = trapFullPathname;
    trapVfs.xRandomness = trapRandomness;
    trapVfs.xSleep = trapSleep;
    trapVfs.xCurrentTime = trapCurrentTime;
    trapVfs.xGetLastError = trapGetLastError;
    trapVfs.xCurrentTimeInt64 = trapCurrentTimeInt64;
    sqlite3_vfs_register(&trapVfs, 1);
}

qint64 FileOperationTrap::count()
{
    return operations;
}

QStringList FileOperationTrap::operationsIn(const QString& output)
{
    QStringList found;
    for (const QString& line : output.split(u'\n')) {
        if (!line.startsWith(QStringLiteral("operation ")))
            continue;
        const qsizetype number = line.indexOf(u' ', 10);
        if (number > 0)
            found << line.mid(number + 1).trimmed();
    }
    return found;
}

std::string FileOperationTrap::describeStop(qint64 stop, const QStringList& operations)
{
    return QStringLiteral("stopped at %1 of %2, %3")
        .arg(stop)
        .arg(operations.size())
        .arg(operations.value(stop - 1))
        .toStdString();
}
