#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

// One file opened with the SQLite library directly, as another program or the sqlite3 shell opens it, past the
// engine and its table password; closed (and so rolled back) with the object.
class SqliteShell
{
public:
    explicit SqliteShell(const QString& path, bool readOnly = false);
    ~SqliteShell();
    SqliteShell(const SqliteShell&) = delete;
    SqliteShell& operator=(const SqliteShell&) = delete;

    // Whether the statements ran.
    bool execute(const char* statements);
    // The first column of every row the statement gives.
    QStringList column(const char* statement);
    // What PRAGMA integrity_check says first: "ok" for a whole file.
    QString integrity() { return column("PRAGMA integrity_check").value(0); }

private:
    sqlite3* m_connection = nullptr;
};
