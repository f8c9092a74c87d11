#pragma once

#include "platform/db/FieldDef.h"
#include "platform/db/Param.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace db {

class LinkedWrite;
class Session;
class SqlConnection;
class SqlStatement;

// A query text made ready to run: a private in-memory connection that attaches every table file the text names
// (each checked as a table of ours whose password the session holds), with LIKE comparing letter case, and the
// translated statement prepared on it.
class QueryStatement
{
public:
    // EngineError: a missing alias or table, a missing password, bad SQL (the message holds the statement).
    QueryStatement(const Session& session, const QString& alias, const QString& text);
    // The statement on the connection of an open linked write that covers every table the text names (see
    // joins()); it runs inside that write's transaction.
    QueryStatement(const Session& session, const QString& alias, const QString& text, const LinkedWrite& write);
    // Whether the write covers every table the text names.
    static bool joins(const Session& session, const QString& alias, const QString& text, const LinkedWrite& write);
    ~QueryStatement();
    QueryStatement(const QueryStatement&) = delete;
    QueryStatement& operator=(const QueryStatement&) = delete;

    const QString& text() const { return m_text; }
    SqlStatement& statement() { return *m_statement; }
    const QList<FieldDef>& columns() const { return m_columns; } // empty for UPDATE and the like

    void bind(const std::vector<Param>& params); // by position
    qint64 count(); // rows of the result
    qint64 execute(); // runs the statement as one transaction (or in the write it joined); the rows it changed
    QStringList explain(); // the plan SQLite chose, with the current parameter values

private:
    [[noreturn]] void badStatement(const QString& why) const;
    void prepare(const QString& sql);

    QString m_text;
    QString m_sql;
    QVariantList m_bindings;
    std::unique_ptr<SqlConnection> m_ownConnection;
    const SqlConnection* m_connection = nullptr; // the own one, or the joined write's
    std::unique_ptr<SqlStatement> m_statement;
    std::unique_ptr<SqlStatement> m_count;
    QList<FieldDef> m_columns;
    QStringList m_joinedTables; // the files of a statement that joined a linked write
};

} // namespace db
