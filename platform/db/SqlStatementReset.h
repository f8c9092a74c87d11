#pragma once

#include "platform/db/SqlStatement.h"

namespace db {

// Resets a statement when the scope ends, so a query that was read only partly (or threw) holds no lock.
class SqlStatementReset
{
public:
    explicit SqlStatementReset(SqlStatement& statement)
        : m_statement(statement)
    {
    }
    ~SqlStatementReset() { m_statement.reset(); }
    SqlStatementReset(const SqlStatementReset&) = delete;
    SqlStatementReset& operator=(const SqlStatementReset&) = delete;

private:
    SqlStatement& m_statement;
};

} // namespace db
