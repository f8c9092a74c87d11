#pragma once

#include "platform/db/DataSet.h"
#include "platform/db/Param.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace db {

class QueryStatement;

// A query in the engine's local SQL over the tables of an alias folder. Table names in the text, quoted or bare,
// with or without extension, in any letter case, name table files of the folder. LIKE compares with regard to
// case and '=' compares exactly. Parameters (":Name") are listed in order of first appearance and bound by
// position or name. Open gives a read-only result; ExecSQL runs UPDATE/INSERT/DELETE as one transaction.
class Query : public DataSet
{
    Q_OBJECT

public:
    explicit Query(QObject* parent = nullptr);
    ~Query() override;

    const QString& DatabaseName() const { return m_databaseName; }
    void setDatabaseName(const QString& alias);

    const QStringList& SQL() const { return m_sql; }
    void setSQL(const QStringList& lines); // closes and unprepares; parameters are rebuilt from the text
    QString text() const; // the lines joined with line breaks

    int ParamCount() const { return static_cast<int>(m_params.size()); }
    Param& Params(int index);
    Param& ParamByName(const QString& name); // EngineError when absent

    void Prepare(); // checks the statement; bad SQL: EngineError with the statement
    void UnPrepare();
    bool Prepared() const { return m_prepared; }

    void ExecSQL();
    qint64 RowsAffected() const { return m_rowsAffected; }

    bool CanModify() const override { return false; }

    // The plan SQLite chose for the statement with the current parameter values (EXPLAIN QUERY PLAN), so that
    // checks can see which index a query uses.
    QStringList explainPlan();

protected:
    std::unique_ptr<Cursor> openCursor() override;
    QString describe() const override;

private:
    std::shared_ptr<QueryStatement> statement(); // the prepared one, or one made for this run

    QString m_databaseName;
    QStringList m_sql;
    std::vector<Param> m_params;
    bool m_prepared = false;
    qint64 m_rowsAffected = 0;
    std::shared_ptr<QueryStatement> m_statement; // while prepared
};

} // namespace db
