#include "platform/db/EngineError.h"

#include <sqlite3.h>

namespace db {

EngineError::EngineError(const QString& message, int sqliteCode, QString table, QString statement)
    : std::runtime_error(message.toStdString())
    , m_sqliteCode(sqliteCode)
    , m_table(std::move(table))
    , m_statement(std::move(statement))
{
}

bool EngineError::isBusy() const
{
    const int primary = m_sqliteCode & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

} // namespace db
