#include "SqliteShell.h"

#include <sqlite3.h>

#include <memory>

SqliteShell::SqliteShell(const QString& path, bool readOnly)
{
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    sqlite3_open_v2(path.toUtf8().constData(), &m_connection, flags, nullptr);
}

SqliteShell::~SqliteShell()
{
    sqlite3_close(m_connection);
}

bool SqliteShell::execute(const char* statements)
{
    return sqlite3_exec(m_connection, statements, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QStringList SqliteShell::column(const char* statement)
{
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(m_connection, statement, -1, &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> prepared(raw, &sqlite3_finalize);
    QStringList values;
    while (raw && sqlite3_step(raw) == SQLITE_ROW)
        values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    return values;
}
