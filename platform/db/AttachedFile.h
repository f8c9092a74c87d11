#pragma once

#include <QString>

namespace db {

class SqlConnection;

// A table file attached to another table's connection under a schema name, so that one statement can read or write
// both and one transaction covers both; detached again at the end. SQLite attaches inside an open transaction but
// detaches only outside one: the object must outlive the transaction, and every statement on the schema must be
// finalized before it goes.
class AttachedFile
{
public:
    AttachedFile(const SqlConnection& connection, const QString& path, QString schema); // EngineError
    ~AttachedFile();
    AttachedFile(const AttachedFile&) = delete;
    AttachedFile& operator=(const AttachedFile&) = delete;

    const QString& schema() const { return m_schema; }

private:
    const SqlConnection& m_connection;
    QString m_schema;
};

} // namespace db
