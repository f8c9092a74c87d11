#pragma once

#include "platform/db/TableDef.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace db {

class Session;
class SqlConnection;

// One table file: a SQLite database holding the rows, the field definitions, the indexes and, for a protected
// table, a salted hash of its password. `sqlite3 employee.DB .schema` explains it. Opening checks that the file is
// one of ours and that the session holds the password of a protected table.
class TableFile
{
public:
    // Creates the file (replacing any file of that name) with the structure; protected when password is not empty.
    static void create(const QString& path, const TableDef& definition, const QString& password = {});
    // Replaces everything the table file at `path`, attached to the connection as `schema`, holds with an empty table
    // of the structure, inside the transaction open on the connection: the new table is there when it commits, the
    // old one is back when it rolls back.
    static void rewriteAttached(const SqlConnection& connection, const QString& schema, const QString& path,
        const TableDef& definition, const QString& password);
    // The statement that adds a row of the fields, one parameter each, to the table file `schema` names on a
    // connection.
    static QString insertSql(const QString& schema, const QList<FieldDef>& fields);

    TableFile(const QString& path, const Session& session); // EngineError: missing, not ours, no password
    ~TableFile();
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    const QString& path() const { return m_path; }
    QString name() const; // the file name, as messages show it
    const TableDef& definition() const { return m_definition; }
    bool isProtected() const { return m_protected; }
    bool acceptsPassword(const QString& password) const; // the password of this protected table?
    const SqlConnection& connection() const { return *m_connection; } // for the engine's own classes

    // For loads (TableLoad): an index of the definition dropped, and built again over the rows.
    void dropIndex(const IndexDef& index) const;
    void buildIndex(const IndexDef& index) const;
    qint64 rowCount() const;

private:
    void readStructure(const Session& session);

    QString m_path;
    std::unique_ptr<SqlConnection> m_connection;
    TableDef m_definition;
    bool m_protected = false;
    QByteArray m_salt;
    QByteArray m_passwordHash;
};

} // namespace db
