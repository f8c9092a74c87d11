#pragma once

#include "platform/db/TableDef.h"

#include <QString>
#include <QVariantList>

#include <memory>

struct sqlite3;

namespace db {

class Session;

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
    sqlite3* handle() const { return m_db.get(); }

    // Bulk loading for tools and batch moves: rows in stored field order, inside one transaction that the
    // caller opens with begin() and ends with commit(); a row repeating the primary key throws KeyViolation.
    void begin();
    void commit();
    void rollback();
    void insert(const QVariantList& values);
    qint64 rowCount() const;

private:
    struct Closer
    {
        void operator()(sqlite3* db) const;
    };

    QString m_path;
    std::unique_ptr<sqlite3, Closer> m_db;
    TableDef m_definition;
    bool m_protected = false;
};

} // namespace db
