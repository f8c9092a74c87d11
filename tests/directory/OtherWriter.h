#pragma once

#include <QString>

#include <sqlite3.h>

#include <memory>

// Another program's connection to a table file, which can hold the file as that program's open write transaction
// does: the directory's readers go on, its writers wait a moment and fail.
class OtherWriter
{
public:
    explicit OtherWriter(const QString& file)
    {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        m_connection.reset(raw);
    }

    bool hold() { return run("BEGIN IMMEDIATE"); }
    bool letGo() { return run("ROLLBACK"); }

private:
    bool run(const char* sql) { return sqlite3_exec(m_connection.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    struct Close
    {
        void operator()(sqlite3* connection) const { sqlite3_close(connection); }
    };
    std::unique_ptr<sqlite3, Close> m_connection;
};
