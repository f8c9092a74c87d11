#include "platform/db/SqlConnection.h"

#include "platform/db/EngineError.h"

#include <QDir>

#include <sqlite3.h>

namespace db {

void SqlConnection::Closer::operator()(sqlite3* db) const
{
    // v2 defers the close until statements still alive are finalized, so member order cannot leak a handle.
    sqlite3_close_v2(db);
}

SqlConnection::SqlConnection(const QString& path, int openFlags, QString label)
    : m_label(std::move(label))
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, openFlags, nullptr);
    m_db.reset(raw); // owned before the result is checked: a failed open still returns a handle to close
    if (rc != SQLITE_OK) {
        const QString why = raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        throw EngineError(QStringLiteral("Cannot open table %1: %2").arg(m_label, why), rc, m_label);
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, BusyTimeoutMs);
}

SqlConnection::~SqlConnection() = default;

QString SqlConnection::quote(const QString& identifier)
{
    QString quoted = identifier;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString SqlConnection::damagedTableMessage(const QString& table, const QString& path)
{
    const QString file = path.isEmpty() ? QStringLiteral("it") : QStringLiteral("the file %1").arg(path);
    return QStringLiteral("Table %1 cannot be read: %2 is damaged or is not a table of this directory")
        .arg(table, file);
}

void SqlConnection::exec(const QString& sql) const
{
    check(sqlite3_exec(m_db.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr), sql);
}

bool SqlConnection::tryExec(const QString& sql) const noexcept
{
    return sqlite3_exec(m_db.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

void SqlConnection::writeOutChanges(
    const QString& statement, const std::function<QString(bool busy)>& failedTables) const
{
    const int rc = sqlite3_db_cacheflush(m_db.get());
    if (rc == SQLITE_OK)
        return;
    const bool busy = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
    fail(rc, statement, QString::fromUtf8(sqlite3_errstr(rc)), failedTables(busy));
}

std::optional<SqlConnection::FileLock> SqlConnection::fileLock(const QString& schema) const
{
    int lock = SQLITE_LOCK_NONE;
    const QByteArray name = schema.toUtf8();
    if (sqlite3_file_control(m_db.get(), name.constData(), SQLITE_FCNTL_LOCKSTATE, &lock) != SQLITE_OK)
        return std::nullopt;
    switch (lock) {
    case SQLITE_LOCK_SHARED:
        return FileLock::Shared;
    case SQLITE_LOCK_RESERVED:
        return FileLock::Reserved;
    case SQLITE_LOCK_PENDING:
        return FileLock::Pending;
    case SQLITE_LOCK_EXCLUSIVE:
        return FileLock::Exclusive;
    default:
        return FileLock::None;
    }
}

void SqlConnection::check(int rc, const QString& statement) const
{
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(rc, statement);
}

QString SqlConnection::lastMessage() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db.get()));
}

void SqlConnection::fail(int rc, const QString& statement, const QString& detail, const QString& table) const
{
    const QString why = detail.isEmpty() ? lastMessage() : detail;
    const QString& name = table.isEmpty() ? m_label : table;
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw EngineError(
            QStringLiteral("Table %1 is busy: another program is using it").arg(name), rc, name, statement);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: {
        // The path where the connection is the table's own file; a query's reaches its tables as attached files.
        const char* const file = sqlite3_db_filename(m_db.get(), "main");
        const QString path = table.isEmpty() && file ? QDir::toNativeSeparators(QString::fromUtf8(file)) : QString();
        throw EngineError(damagedTableMessage(name, path), rc, name, statement);
    }
    case SQLITE_FULL:
        throw EngineError(QStringLiteral("Cannot write table %1: the disk is full").arg(name), rc, name, statement);
    case SQLITE_READONLY:
    case SQLITE_PERM:
        throw EngineError(QStringLiteral("Cannot write table %1: %2").arg(name, why), rc, name, statement);
    default:
        break;
    }
    if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
        throw KeyViolation(QStringLiteral("Key violation in table %1").arg(name), rc, name, statement);
    QString message = QStringLiteral("Table %1: %2").arg(name, why);
    if (!statement.isEmpty())
        message += QStringLiteral("\nStatement: %1").arg(statement);
    throw EngineError(message, rc, name, statement);
}

qint64 SqlConnection::changes() const
{
    return sqlite3_changes64(m_db.get());
}

bool SqlConnection::inTransaction() const
{
    return sqlite3_get_autocommit(m_db.get()) == 0;
}

qint64 SqlConnection::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db.get());
}

} // namespace db
