#include "FileOperationTrap.h"

#include "WatchedFileSystem.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>
#include <iostream>
#include <string>

namespace {

std::atomic<qint64> operations { 0 };
qint64 stopAt = 0;
bool logEach = false;

const char* kindOf(WatchedFileSystem::Change change)
{
    switch (change) {
    case WatchedFileSystem::Change::Write:
        return "write";
    case WatchedFileSystem::Change::Truncate:
        return "truncate";
    case WatchedFileSystem::Change::Sync:
        return "sync";
    case WatchedFileSystem::Change::Delete:
        return "delete";
    }
    return "change";
}

int counted(WatchedFileSystem::Change change, const char* path)
{
    const char* const slash = path ? std::strrchr(path, '/') : nullptr;
    const char* const name = slash ? slash + 1 : (path ? path : "(temporary)");
    const qint64 number = ++operations;
    if (logEach)
        std::cout << "operation " << number << ' ' << kindOf(change) << ' ' << name << std::endl;
    if (number == stopAt) {
        std::cout << "stopped at " << number << ' ' << kindOf(change) << ' ' << name << std::endl;
        std::string line;
        std::getline(std::cin, line);
    }
    return SQLITE_OK;
}

} // namespace

void FileOperationTrap::install(qint64 at, bool logEveryOperation)
{
    stopAt = at;
    logEach = logEveryOperation;
    // Lives until the process ends, as the child it is installed in does.
    static const WatchedFileSystem fileSystem(counted);
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
