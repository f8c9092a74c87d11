#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

struct sqlite3;

namespace db {

// One SQLite connection of the engine, with the busy timeout and extended result codes every connection needs.
// Failures become EngineErrors naming `label` (the table file, or the tables of a query).
class SqlConnection
{
public:
    // Waited for a table another program holds before reporting it busy.
    static constexpr int BusyTimeoutMs = 2000;

    SqlConnection(const QString& path, int openFlags, QString label);
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    // An identifier in double quotes, safe for any name.
    static QString quote(const QString& identifier);
    // What a table whose file is damaged or not a table at all says; the file's path where known.
    static QString damagedTableMessage(const QString& table, const QString& path = {});

    sqlite3* handle() const { return m_db.get(); }
    const QString& label() const { return m_label; }
    void setLabel(const QString& label) { m_label = label; }

    void exec(const QString& sql) const;
    // Runs a statement whose failure the caller has no use for (a clean-up that must not throw); false when it failed.
    bool tryExec(const QString& sql) const noexcept;
    QString lastMessage() const;

    qint64 changes() const;
    bool inTransaction() const; // a transaction begun on the connection is open
    qint64 lastInsertRowId() const;

    // Writes the pages the open transaction has changed out to their files, ahead of its commit. A failure is thrown
    // as fail() throws it for `statement`, with SQLite's text for the code, naming the tables that
    // `failedTables(busy)` gives once the failure is known (busy: another program holds a file).
    void writeOutChanges(const QString& statement, const std::function<QString(bool busy)>& failedTables) const;

    // The lock the connection holds on the file of a schema ("main", or an attached file's); none where it cannot
    // be read.
    enum class FileLock
    {
        None,
        Shared,
        Reserved,
        Pending,
        Exclusive,
    };
    std::optional<FileLock> fileLock(const QString& schema) const;

    // Throws the EngineError (or KeyViolation) for a failed call, naming `table` (the label when empty); `detail`
    // defaults to SQLite's own message.
    [[noreturn]] void fail(
        int rc, const QString& statement, const QString& detail = {}, const QString& table = {}) const;

private:
    friend class SqlStatement;

    void check(int rc, const QString& statement) const;

    struct Closer
    {
        void operator()(sqlite3* db) const;
    };

    std::unique_ptr<sqlite3, Closer> m_db;
    QString m_label;
};

} // namespace db
