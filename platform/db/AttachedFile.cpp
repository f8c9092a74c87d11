#include "platform/db/AttachedFile.h"

#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"

namespace db {

AttachedFile::AttachedFile(const SqlConnection& connection, const QString& path, QString schema)
    : m_connection(connection)
    , m_schema(std::move(schema))
{
    SqlStatement attach(m_connection, QStringLiteral("ATTACH DATABASE ? AS %1").arg(SqlConnection::quote(m_schema)));
    attach.bind(1, path);
    attach.step();
}

AttachedFile::~AttachedFile()
{
    m_connection.tryExec(QStringLiteral("DETACH DATABASE %1").arg(SqlConnection::quote(m_schema)));
}

} // namespace db
