#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace db {

class Session;
class SqlConnection;
class SqlTransaction;

// One write transaction over a table file and the table files linked to it, held on the table's own connection:
// the linked files are attached to it (each checked as a table the session may open) before the transaction
// begins, so that rows of all of them change and commit together, or not at all. While it is open the session
// names it, and a query executed meanwhile on files it covers runs inside it. Rolled back unless committed;
// the linked files are detached at the end either way.
class LinkedWrite
{
public:
    // EngineError: a linked file that is missing or not ours, a missing password, or a file another program holds.
    LinkedWrite(
        const SqlConnection& connection, const QString& ownPath, const QStringList& linkedPaths, Session& session);
    ~LinkedWrite();
    LinkedWrite(const LinkedWrite&) = delete;
    LinkedWrite& operator=(const LinkedWrite&) = delete;

    const SqlConnection& connection() const { return m_connection; }
    // The schema that reaches the file on the connection ("main" for the table's own); empty when not covered.
    QString schemaOf(const QString& path) const;
    bool covers(const QStringList& paths) const;

    void commit();

private:
    void attachAll(const QStringList& linkedPaths);
    QString failedFiles(bool busy) const; // the names of the files a failed write-out stopped at
    void restoreFiles() noexcept;
    void detachAll() noexcept;

    const SqlConnection& m_connection;
    Session& m_session;
    QStringList m_paths; // canonical file paths, parallel to m_schemas
    QStringList m_schemas;
    std::unique_ptr<SqlTransaction> m_transaction;
};

} // namespace db
