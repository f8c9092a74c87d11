#include "platform/db/SqlTransaction.h"

#include "platform/db/SqlConnection.h"

#include <sqlite3.h>

namespace db {

SqlTransaction::SqlTransaction(const SqlConnection& connection)
    : m_connection(connection)
{
    m_connection.exec(QStringLiteral("BEGIN IMMEDIATE"));
    m_active = true;
}

SqlTransaction::~SqlTransaction()
{
    if (m_active)
        sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqlTransaction::commit()
{
    // A busy COMMIT leaves the transaction open; the destructor then rolls it back.
    m_connection.exec(QStringLiteral("COMMIT"));
    m_active = false;
}

} // namespace db
