#include "platform/db/EngineError.h"

namespace db {

EngineError::EngineError(const QString& message, int sqliteCode, QString table, QString statement)
    : std::runtime_error(message.toStdString())
    , m_sqliteCode(sqliteCode)
    , m_table(std::move(table))
    , m_statement(std::move(statement))
{
}

} // namespace db
