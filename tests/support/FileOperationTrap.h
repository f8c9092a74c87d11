#pragma once

#include <QString>
#include <QStringList>

#include <string>

// SQLite's file operations that change files (write, truncate, sync, delete), counted in the order they happen
// across every connection of this process, and the process stopped at a chosen one, so that a test can kill it
// there: at any moment of a write, the commit of several files included. Installed in a child process before its
// first connection opens, as SQLite's default file system; the real one does the work.
class FileOperationTrap
{
public:
    // Stops at operation `stopAt` (counted from 1; 0 never): writes "stopped at <n> <operation>" on standard output
    // and waits for a line on standard input, which a kill normally forestalls. With `logEach`, writes
    // "operation <n> <operation>" for every one as it happens. <operation> is "<kind> <file name>".
    static void install(qint64 stopAt, bool logEach = false);
    static qint64 count();

    // For the parent: the operations a child logged, in order, as "<kind> <file name>"; and a stop among them.
    static QStringList operationsIn(const QString& output);
    static std::string describeStop(qint64 stop, const QStringList& operations);
};
