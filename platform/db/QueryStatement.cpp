#include "platform/db/QueryStatement.h"

#include "platform/db/EngineError.h"
#include "platform/db/LinkedWrite.h"
#include "platform/db/LocalSql.h"
#include "platform/db/Session.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlStatementReset.h"
#include "platform/db/SqlTransaction.h"
#include "platform/db/TableFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace db {
namespace {

// The field a result column has, from the declared type of the table column it comes from.
FieldDef fieldFor(const QString& name, const QString& declaredType)
{
    static const QRegularExpression alpha(
        QStringLiteral("^VARCHAR\\((\\d+)\\)$"), QRegularExpression::CaseInsensitiveOption);
    const QString type = declaredType.trimmed();
    if (const QRegularExpressionMatch match = alpha.match(type); match.hasMatch())
        return FieldDef { name, FieldType::Alpha, match.captured(1).toInt() };
    if (type.compare(QStringLiteral("SMALLINT"), Qt::CaseInsensitive) == 0)
        return FieldDef { name, FieldType::Short, 0 };
    if (type.compare(QStringLiteral("TEXT"), Qt::CaseInsensitive) == 0)
        return FieldDef { name, FieldType::Memo, 0 };
    return FieldDef { name, FieldType::Alpha, maxAlphaSize };
}

} // namespace

QueryStatement::QueryStatement(const Session& session, const QString& alias, const QString& text)
    : m_text(text)
{
    const LocalSql sql(text);
    m_ownConnection = std::make_unique<SqlConnection>(
        // One thread uses a query's connection, so SQLite need not lock it around every call.
        QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
        QStringLiteral("query"));
    m_connection = m_ownConnection.get();
    // The programs' LIKE compares letter case; it also lets LIKE 'S%' use a binary index on the column.
    m_connection->exec(QStringLiteral("PRAGMA case_sensitive_like = ON"));

    QStringList paths;
    QStringList names;
    QStringList schemas;
    for (const QString& tableName : sql.tableNames()) {
        const QString path = session.tableFile(alias, tableName);
        qsizetype index = paths.indexOf(path);
        if (index < 0) {
            const TableFile table(path, session); // ours, and the session may open it
            index = paths.size();
            paths << path;
            names << table.name();
            SqlStatement attach(
                *m_connection, QStringLiteral("ATTACH DATABASE ? AS %1").arg(QStringLiteral("t%1").arg(index + 1)));
            attach.bind(1, path);
            attach.step();
        }
        schemas << QStringLiteral("t%1").arg(index + 1);
    }
    if (!names.isEmpty())
        m_ownConnection->setLabel(names.join(QStringLiteral(", ")));
    prepare(sql.translate(schemas));
}

QueryStatement::QueryStatement(
    const Session& session, const QString& alias, const QString& text, const LinkedWrite& write)
    : m_text(text)
    , m_connection(&write.connection())
{
    const LocalSql sql(text);
    QStringList schemas;
    for (const QString& tableName : sql.tableNames()) {
        const QString path = session.tableFile(alias, tableName);
        const QString schema = write.schemaOf(path);
        if (schema.isEmpty())
            throw EngineError(QStringLiteral("Table %1 is not part of the open write").arg(tableName), 0, tableName);
        schemas << schema;
        if (!m_joinedTables.contains(QFileInfo(path).fileName()))
            m_joinedTables << QFileInfo(path).fileName();
    }
    prepare(sql.translate(schemas));
    // The joined connection is named after the posting table: a failure names the tables this statement works on.
    m_statement->setLabel(m_joinedTables.join(QStringLiteral(", ")));
}

bool QueryStatement::joins(const Session& session, const QString& alias, const QString& text, const LinkedWrite& write)
{
    QStringList paths;
    for (const QString& tableName : LocalSql(text).tableNames())
        paths << session.tableFile(alias, tableName);
    return !paths.isEmpty() && write.covers(paths);
}

void QueryStatement::prepare(const QString& sql)
{
    m_sql = sql;
    try {
        m_statement = std::make_unique<SqlStatement>(*m_connection, m_sql);
    } catch (const EngineError& error) {
        if (error.isBusy())
            throw;
        badStatement(m_connection->lastMessage());
    }
    if (!m_statement->handle())
        badStatement(QStringLiteral("the text holds no statement"));
    for (int i = 0; i < m_statement->columnCount(); ++i)
        m_columns << fieldFor(m_statement->columnName(i), m_statement->columnDeclType(i));
}

QueryStatement::~QueryStatement()
{
    m_count.reset();
    m_statement.reset();
}

void QueryStatement::badStatement(const QString& why) const
{
    throw EngineError(
        QStringLiteral("Invalid SQL statement: %1\n%2").arg(why, m_text), 0, m_connection->label(), m_text);
}

void QueryStatement::bind(const std::vector<Param>& params)
{
    m_statement->reset();
    m_bindings.clear();
    for (const Param& param : params)
        m_bindings << param.Value();
    m_statement->bindAll(m_bindings);
}

qint64 QueryStatement::count()
{
    if (!m_count)
        m_count = std::make_unique<SqlStatement>(*m_connection, QStringLiteral("SELECT count(*) FROM (%1)").arg(m_sql));
    m_count->bindAll(m_bindings);
    const SqlStatementReset done(*m_count);
    m_count->step();
    return m_count->columnInt(0);
}

qint64 QueryStatement::execute()
{
    // A joined write's transaction is open already: the statement commits with it.
    std::unique_ptr<SqlTransaction> transaction;
    if (!m_connection->inTransaction())
        transaction = std::make_unique<SqlTransaction>(*m_connection);
    qint64 changed = 0;
    {
        const SqlStatementReset done(*m_statement);
        while (m_statement->step()) { }
        changed = m_statement->readOnly() ? 0 : m_connection->changes();
    }
    if (transaction)
        transaction->commit();
    return changed;
}

QStringList QueryStatement::explain()
{
    SqlStatement plan(*m_connection, QStringLiteral("EXPLAIN QUERY PLAN ") + m_sql);
    plan.bindAll(m_bindings);
    QStringList lines;
    while (plan.step())
        lines << plan.column(3).toString();
    return lines;
}

} // namespace db
