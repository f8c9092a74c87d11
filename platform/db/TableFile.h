#pragma once

#include "platform/db/TableDef.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

namespace db {

class Session;
class SqlConnection;
class SqlStatement;
class SqlTransaction;

// One table file: a SQLite database holding the rows, the field definitions, the indexes and, for a protected
// table, a salted hash of its password. `sqlite3 employee.DB .schema` explains it. Opening checks that the file is
// one of ours and that the session holds the password of a protected table.
class TableFile
{
public:
    // Creates the file (replacing any file of that name) with the structure; protected when password is not empty.
    static void create(const QString& path, const TableDef& definition, const QString& password = {});

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

    // Bulk loading for tools and batch moves: rows in stored field order, inside one transaction that the
    // caller opens with begin() and ends with commit(); a row repeating the primary key throws KeyViolation. A value
    // that does not fit its field throws an EngineError naming the field. Loading into an empty table builds its
    // secondary indexes once, at commit.
    void begin();
    void commit();
    void rollback();
    void insert(const QVariantList& values);
    // A load into an empty table that builds every index, the primary key's too, once at commit: much quicker for
    // large loads, but a repeated key is not refused as it arrives. takeRepeatedKeys() finds such rows afterwards
    // (all but the first row of each key, in the order inserted), removes them and returns them; a commit that
    // still finds one throws KeyViolation. EngineError when the table is not empty.
    void beginBulk();
    std::vector<QVariantList> takeRepeatedKeys();
    qint64 rowCount() const;

private:
    void readStructure(const Session& session);

    QString m_path;
    std::unique_ptr<SqlConnection> m_connection;
    std::unique_ptr<SqlTransaction> m_transaction;
    std::unique_ptr<SqlStatement> m_insert;
    QList<IndexDef> m_suspendedIndexes; // dropped for a load into an empty table, rebuilt at commit
    TableDef m_definition;
    bool m_protected = false;
    QByteArray m_salt;
    QByteArray m_passwordHash;
};

} // namespace db
