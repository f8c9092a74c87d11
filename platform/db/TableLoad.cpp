#include "platform/db/TableLoad.h"

#include "platform/db/EngineError.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlStatementReset.h"
#include "platform/db/StoredValue.h"
#include "platform/db/TableFile.h"

namespace db {
namespace {

const SqlConnection& idleConnection(const TableFile& table)
{
    if (table.connection().inTransaction())
        throw EngineError(QStringLiteral("Table %1 is already loading rows").arg(table.name()), 0, table.name());
    return table.connection();
}

bool isEmpty(const SqlConnection& connection)
{
    SqlStatement probe(connection, QStringLiteral("SELECT 1 FROM records LIMIT 1"));
    const SqlStatementReset done(probe);
    return !probe.step();
}

} // namespace

TableLoad::TableLoad(const TableFile& table, KeyCheck keyCheck)
    : m_table(table)
    , m_transaction(idleConnection(table))
{
    if (!isEmpty(m_table.connection())) {
        if (keyCheck == KeyCheck::AtCommit)
            throw EngineError(QStringLiteral("Table %1 is not empty").arg(m_table.name()), 0, m_table.name());
        return;
    }
    suspendIndexes(keyCheck);
}

TableLoad::~TableLoad() = default;

void TableLoad::suspendIndexes(KeyCheck keyCheck)
{
    // Building an index once over all rows is far quicker than keeping it up to date row by row. Unless the keys
    // are checked at commit, unique indexes stay, so that repeated keys are still refused as they arrive.
    m_table.connection().exec(QStringLiteral("PRAGMA cache_size = -%1").arg(CacheKib));
    const TableDef& definition = m_table.definition();
    QList<IndexDef> indexes;
    if (keyCheck == KeyCheck::AtCommit && !definition.primaryKey.isEmpty())
        indexes.append(IndexDef { QStringLiteral("PRIMARY"), definition.primaryKey, true, false });
    indexes.append(definition.indexes);
    for (const IndexDef& index : indexes) {
        if (index.unique && keyCheck == KeyCheck::EachRow)
            continue;
        m_table.dropIndex(index);
        m_suspendedIndexes.append(index);
    }
}

std::vector<QVariantList> TableLoad::takeRepeatedKeys()
{
    std::vector<QVariantList> repeated;
    if (!m_transaction.active())
        return repeated;
    const SqlConnection& connection = m_table.connection();
    const QList<FieldDef>& fields = m_table.definition().fields;
    QStringList columns;
    for (const FieldDef& field : fields)
        columns << QStringLiteral("records.") + SqlConnection::quote(field.name);
    QList<IndexDef> remaining;
    for (const IndexDef& index : m_suspendedIndexes) {
        if (!index.unique) {
            remaining.append(index);
            continue;
        }
        // Usually nothing repeats: then building the unique index is the whole check.
        try {
            SqlTransaction keyCheck(connection, SqlTransaction::Mode::Savepoint);
            m_table.buildIndex(index);
            keyCheck.commit();
            continue;
        } catch (const KeyViolation&) {
            // The failed build is undone; the rows that repeat are taken out below.
        }
        // As the unique index would have it: the first row of each key stays; a NULL in the key never repeats.
        QStringList keys;
        QStringList present;
        for (const QString& field : index.fields) {
            const QString column = SqlConnection::quote(field);
            keys << column + (index.caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString());
            present << column + QStringLiteral(" IS NOT NULL");
        }
        const QString repeats = QStringLiteral(
            "SELECT id FROM (SELECT rowid AS id, row_number() OVER (PARTITION BY %1 ORDER BY rowid) AS n "
            "FROM records WHERE %2) WHERE n > 1")
                                    .arg(keys.join(u", "), present.join(QStringLiteral(" AND ")));
        {
            SqlStatement select(connection,
                QStringLiteral("SELECT %1 FROM records WHERE rowid IN (%2) ORDER BY rowid")
                    .arg(columns.join(u", "), repeats));
            while (select.step()) {
                QVariantList row;
                for (int i = 0; i < fields.size(); ++i)
                    row << fromColumnValue(fields.at(i).type, select.column(i));
                repeated.push_back(std::move(row));
            }
        }
        connection.exec(QStringLiteral("DELETE FROM records WHERE rowid IN (%1)").arg(repeats));
        m_table.buildIndex(index);
    }
    m_suspendedIndexes = remaining;
    return repeated;
}

void TableLoad::commit()
{
    if (!m_transaction.active())
        throw EngineError(QStringLiteral("Table %1 has no load to commit").arg(m_table.name()), 0, m_table.name());
    for (const IndexDef& index : m_suspendedIndexes)
        m_table.buildIndex(index);
    m_insert.reset();
    m_transaction.commit();
    m_suspendedIndexes.clear();
}

SqlStatement& TableLoad::insertStatement()
{
    if (!m_insert) {
        m_insert = std::make_unique<SqlStatement>(
            m_table.connection(), TableFile::insertSql(QStringLiteral("main"), m_table.definition().fields));
    }
    return *m_insert;
}

void TableLoad::insert(const QVariantList& values)
{
    const QList<FieldDef>& fields = m_table.definition().fields;
    if (values.size() > fields.size()) {
        throw EngineError(QStringLiteral("Table %1 has %2 fields, the row %3 values")
                              .arg(m_table.name(), QString::number(fields.size()), QString::number(values.size())),
            0, m_table.name());
    }
    SqlStatement& insert = insertStatement();
    for (int i = 0; i < fields.size(); ++i) {
        QVariant stored;
        QString why;
        if (!toStoredValue(fields.at(i), i < values.size() ? values.at(i) : QVariant(), stored, why)) {
            throw EngineError(QStringLiteral("Field '%1' of table %2 cannot take the value: %3")
                                  .arg(fields.at(i).name, m_table.name(), why),
                0, m_table.name());
        }
        insert.bind(i + 1, stored);
    }
    const SqlStatementReset done(insert);
    insert.step();
}

void TableLoad::insertStored(const QVariantList& values)
{
    SqlStatement& insert = insertStatement();
    const qsizetype fields = m_table.definition().fields.size();
    for (qsizetype i = 0; i < fields; ++i)
        insert.bind(static_cast<int>(i + 1), i < values.size() ? values.at(i) : QVariant());
    const SqlStatementReset done(insert);
    insert.step();
}

} // namespace db
