#include "platform/db/Query.h"

#include "platform/db/DataSetCursor.h"
#include "platform/db/EngineError.h"
#include "platform/db/LinkedWrite.h"
#include "platform/db/LocalSql.h"
#include "platform/db/QueryStatement.h"
#include "platform/db/SequentialCursor.h"
#include "platform/db/Session.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/StoredValue.h"

namespace db {
namespace {

// Results up to this size are read whole when the query opens, so they hold no lock on the tables afterwards.
constexpr qint64 SmallResultRows = 300;

// The rows of a running statement. At the end the statement is reset, which releases its read locks.
class StatementSource : public SequentialCursor::Source
{
public:
    // read: which columns are read from the statement; the others are left blank, as no field shows them.
    StatementSource(std::shared_ptr<QueryStatement> query, std::vector<bool> read)
        : m_query(std::move(query))
        , m_read(std::move(read))
    {
    }
    ~StatementSource() override { m_query->statement().reset(); }
    StatementSource(const StatementSource&) = delete;
    StatementSource& operator=(const StatementSource&) = delete;

    void restart() override { m_query->statement().reset(); }
    bool next(QVariantList& row) override
    {
        SqlStatement& statement = m_query->statement();
        if (!statement.step()) {
            statement.reset();
            return false;
        }
        const QList<FieldDef>& columns = m_query->columns();
        row.clear();
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i) {
            const FieldType type = columns.at(i).type;
            row.append(fromColumnValue(type, m_read[static_cast<size_t>(i)] ? statement.column(i) : QVariant()));
        }
        return true;
    }
    std::optional<qint64> count() override { return m_query->count(); }

private:
    std::shared_ptr<QueryStatement> m_query;
    const std::vector<bool> m_read;
};

} // namespace

Query::Query(QObject* parent)
    : DataSet(parent)
{
}

Query::~Query() = default;

void Query::setDatabaseName(const QString& alias)
{
    if (alias == m_databaseName)
        return;
    UnPrepare();
    m_databaseName = alias;
}

void Query::setSQL(const QStringList& lines)
{
    UnPrepare();
    m_sql = lines;
    // Values set before survive for parameters of the same name.
    std::vector<Param> params;
    const LocalSql parsed(text());
    for (const QString& name : parsed.parameters()) {
        Param param(name);
        for (const Param& old : m_params) {
            if (old.Name().compare(name, Qt::CaseInsensitive) == 0)
                param.setValue(old.Value());
        }
        params.push_back(std::move(param));
    }
    m_params = std::move(params);
}

QString Query::text() const
{
    return m_sql.join(u'\n');
}

Param& Query::Params(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_params.size()) {
        throw EngineError(
            QStringLiteral("The query has no parameter %1: it has %2").arg(index).arg(m_params.size()), 0, {}, text());
    }
    return m_params[static_cast<size_t>(index)];
}

Param& Query::ParamByName(const QString& name)
{
    for (Param& param : m_params) {
        if (param.Name().compare(name, Qt::CaseInsensitive) == 0)
            return param;
    }
    throw EngineError(QStringLiteral("Parameter '%1' not found in the query").arg(name), 0, {}, text());
}

void Query::Prepare()
{
    if (m_prepared)
        return;
    m_statement = std::make_shared<QueryStatement>(session(), m_databaseName, text());
    m_prepared = true;
}

void Query::UnPrepare()
{
    Close();
    m_statement.reset();
    m_prepared = false;
}

std::shared_ptr<QueryStatement> Query::statement()
{
    if (m_statement)
        return m_statement;
    return std::make_shared<QueryStatement>(session(), m_databaseName, text());
}

void Query::ExecSQL()
{
    if (Active())
        Close();
    // Run from a post's AfterPost over linked tables, the statement takes effect with the posted row.
    if (const LinkedWrite* write = session().openWrite();
        write && QueryStatement::joins(session(), m_databaseName, text(), *write)) {
        QueryStatement joined(session(), m_databaseName, text(), *write);
        joined.bind(m_params);
        m_rowsAffected = joined.execute();
        return;
    }
    const std::shared_ptr<QueryStatement> query = statement();
    query->bind(m_params);
    m_rowsAffected = query->execute();
}

QStringList Query::explainPlan()
{
    const std::shared_ptr<QueryStatement> query = statement();
    query->bind(m_params);
    return query->explain();
}

QString Query::describe() const
{
    return objectName().isEmpty() ? QStringLiteral("the query") : QStringLiteral("query %1").arg(objectName());
}

std::unique_ptr<DataSet::Cursor> Query::openCursor()
{
    const std::shared_ptr<QueryStatement> query = statement();
    if (query->columns().isEmpty()) {
        throw EngineError(
            QStringLiteral("The statement returns no rows; run it with ExecSQL\n%1").arg(text()), 0, {}, text());
    }
    query->bind(m_params);
    // With persistent fields only their columns are ever shown: the others are not worth reading.
    std::vector<bool> read;
    for (const FieldDef& column : query->columns())
        read.push_back(!hasPersistentFields() || FindField(column.name) != nullptr);
    auto cursor = std::make_unique<SequentialCursor>(
        describe(), query->columns(), std::make_unique<StatementSource>(query, std::move(read)));
    cursor->prefetch(SmallResultRows);
    return cursor;
}

} // namespace db
