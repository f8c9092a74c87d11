#include "platform/db/SqlTransaction.h"

#include "platform/db/SqlConnection.h"

#include <QString>

#include <sqlite3.h>

namespace db {
namespace {

// Savepoints of one name nest: each statement names the innermost one still open.
constexpr const char* SavepointName = "nested";

QString beginSql(SqlTransaction::Mode mode)
{
    switch (mode) {
    case SqlTransaction::Mode::Deferred:
        return QStringLiteral("BEGIN");
    case SqlTransaction::Mode::Immediate:
        return QStringLiteral("BEGIN IMMEDIATE");
    case SqlTransaction::Mode::Savepoint:
        return QStringLiteral("SAVEPOINT %1").arg(QLatin1StringView(SavepointName));
    }
    return {};
}

} // namespace

SqlTransaction::SqlTransaction(const SqlConnection& connection, Mode mode)
    : m_connection(connection)
    , m_mode(mode)
{
    m_connection.exec(beginSql(m_mode));
    m_active = true;
}

SqlTransaction::~SqlTransaction()
{
    if (!m_active)
        return;
    if (m_mode == Mode::Savepoint) {
        // Rolling back to a savepoint leaves it open: releasing it then ends it with nothing to keep.
        const QByteArray undo
            = QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(QLatin1StringView(SavepointName)).toLatin1();
        sqlite3_exec(m_connection.handle(), undo.constData(), nullptr, nullptr, nullptr);
        return;
    }
    sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqlTransaction::commit()
{
    // A busy COMMIT leaves the transaction open; the destructor then rolls it back.
    m_connection.exec(m_mode == Mode::Savepoint ? QStringLiteral("RELEASE %1").arg(QLatin1StringView(SavepointName))
                                                : QStringLiteral("COMMIT"));
    m_active = false;
}

} // namespace db
