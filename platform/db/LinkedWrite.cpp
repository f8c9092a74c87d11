#include "platform/db/LinkedWrite.h"

#include "platform/db/EngineError.h"
#include "platform/db/FileIdentity.h"
#include "platform/db/Session.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlTransaction.h"
#include "platform/db/TableFile.h"

#include <QFileInfo>

namespace db {

LinkedWrite::LinkedWrite(
    const SqlConnection& connection, const QString& ownPath, const QStringList& linkedPaths, Session& session)
    : m_connection(connection)
    , m_session(session)
{
    m_paths << canonicalFilePath(ownPath);
    m_schemas << QStringLiteral("main");
    try {
        attachAll(linkedPaths);
        // Queries that join compare with LIKE as every query of the engine does.
        m_connection.exec(QStringLiteral("PRAGMA case_sensitive_like = ON"));
        m_transaction = std::make_unique<SqlTransaction>(m_connection);
    } catch (const EngineError& error) {
        QStringList names;
        for (const QString& path : m_paths)
            names << QFileInfo(path).fileName();
        detachAll();
        if (!error.isBusy())
            throw;
        throw EngineError(
            QStringLiteral("Table %1 is busy: another program is using it").arg(names.join(QStringLiteral(" or "))),
            error.sqliteCode(), error.table(), error.statement());
    }
    m_session.setOpenWrite(this);
}

LinkedWrite::~LinkedWrite()
{
    m_session.setOpenWrite(nullptr);
    const bool undone = m_transaction->active();
    m_transaction.reset(); // rolls back unless committed
    if (undone)
        restoreFiles();
    detachAll();
}

void LinkedWrite::restoreFiles() noexcept
{
    // A file that failed part way through a write keeps its rollback journal for the next reader to play back. A
    // read plays it back now, while every file is at hand, so that no other program finds a file in that state.
    for (const QString& schema : m_schemas)
        m_connection.tryExec(QStringLiteral("PRAGMA %1.schema_version").arg(schema));
}

void LinkedWrite::attachAll(const QStringList& linkedPaths)
{
    for (const QString& path : linkedPaths) {
        const QString file = canonicalFilePath(path);
        if (m_paths.contains(file))
            continue;
        const TableFile table(path, m_session); // ours, and the session may open it
        const QString schema = QStringLiteral("linked%1").arg(m_paths.size());
        SqlStatement attach(m_connection, QStringLiteral("ATTACH DATABASE ? AS %1").arg(schema));
        attach.bind(1, path);
        attach.step();
        m_paths << file;
        m_schemas << schema;
    }
}

void LinkedWrite::detachAll() noexcept
{
    while (m_schemas.size() > 1) {
        m_connection.tryExec(QStringLiteral("DETACH DATABASE %1").arg(m_schemas.takeLast()));
        m_paths.removeLast();
    }
}

QString LinkedWrite::schemaOf(const QString& path) const
{
    const qsizetype index = m_paths.indexOf(canonicalFilePath(path));
    return index < 0 ? QString() : m_schemas.at(index);
}

bool LinkedWrite::covers(const QStringList& paths) const
{
    for (const QString& path : paths) {
        if (schemaOf(path).isEmpty())
            return false;
    }
    return true;
}

void LinkedWrite::commit()
{
    // Each file's pages are written out before the commit, so that a file that cannot take them (another program
    // reads it, its disk is full) is known by name: a failed commit does not say which of its files failed.
    m_connection.writeOutChanges(QStringLiteral("COMMIT"), [this](bool busy) { return failedFiles(busy); });
    m_transaction->commit();
}

QString LinkedWrite::failedFiles(bool busy) const
{
    // A busy file is left in the pending lock it could not raise to exclusive; any other failure ends the write-out
    // at the last file it had locked exclusively. Where the locks cannot be read, every file is named.
    using FileLock = SqlConnection::FileLock;
    QStringList names;
    QStringList failed;
    bool known = true;
    for (qsizetype i = 0; i < m_schemas.size(); ++i) {
        names << QFileInfo(m_paths.at(i)).fileName();
        const std::optional<FileLock> lock = m_connection.fileLock(m_schemas.at(i));
        known = known && lock.has_value();
        if (busy && lock == FileLock::Pending)
            failed << names.last();
        else if (!busy && lock == FileLock::Exclusive)
            failed = QStringList { names.last() };
    }
    return (known && !failed.isEmpty() ? failed : names).join(QStringLiteral(" or "));
}

} // namespace db
