#include "platform/db/TableAppend.h"

#include "platform/db/AttachedFile.h"
#include "platform/db/EngineError.h"
#include "platform/db/KeyViolationTable.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlStatementReset.h"
#include "platform/db/SqlTransaction.h"
#include "platform/db/StoredValue.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

#include <algorithm>

namespace db {
namespace {

const QString SourceSchema = QStringLiteral("source");

// Source keys looked up in the destination to tell whether the source brings keys the destination holds.
constexpr qint64 SampledKeys = 1000;

// The page cache while the source is examined, in KiB. SQLite sorts the source's keys in memory of the same size,
// beside the row ids refused; the load's larger cache (TableLoad::CacheKib) comes after.
constexpr int ExaminationCacheKib = 8 * 1024;

bool isText(FieldType type)
{
    return type == FieldType::Alpha || type == FieldType::Memo;
}

QStringList quotedNames(const QList<FieldDef>& fields)
{
    QStringList names;
    for (const FieldDef& field : fields)
        names << SqlConnection::quote(field.name);
    return names;
}

} // namespace

bool TableAppend::suits(const TableDef& source, const TableDef& destination)
{
    if (!source.primaryKey.isEmpty())
        return false;
    for (int i = 0; i < destination.fields.size(); ++i) {
        if (!isText(destination.fields.at(i).type))
            return false;
        if (i < source.fields.size() && !isText(source.fields.at(i).type))
            return false;
    }
    return std::none_of(
        destination.indexes.cbegin(), destination.indexes.cend(), [](const IndexDef& index) { return index.unique; });
}

TableAppend::TableAppend(const TableFile& destination, const QString& sourcePath, const TableDef& sourceDefinition)
    : m_destination(destination)
    , m_sourceDefinition(sourceDefinition)
{
    const SqlConnection& connection = destination.connection();
    if (connection.inTransaction()) {
        throw EngineError(
            QStringLiteral("Table %1 is already loading rows").arg(destination.name()), 0, destination.name());
    }
    connection.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(ExaminationCacheKib));
    m_transaction = std::make_unique<SqlTransaction>(connection);
    // Attached inside the transaction, so that the source is only read: it takes no write lock.
    m_source = std::make_unique<AttachedFile>(connection, sourcePath, SourceSchema);

    // Each destination field takes the source field at its place, or a blank where the source has fewer; a text
    // field holds text, a blank being ''.
    const QList<FieldDef>& fields = destination.definition().fields;
    QStringList fits;
    for (int i = 0; i < fields.size(); ++i) {
        const QString value = i < m_sourceDefinition.fields.size()
            ? QStringLiteral("CAST(coalesce(s.%1, '') AS TEXT)")
                  .arg(SqlConnection::quote(m_sourceDefinition.fields.at(i).name))
            : QStringLiteral("''");
        m_values << value;
        // A source field no wider holds nothing too long: its own table refuses it (CHECK of the column).
        const bool wider = i < m_sourceDefinition.fields.size()
            && (m_sourceDefinition.fields.at(i).type != FieldType::Alpha
                || m_sourceDefinition.fields.at(i).size > fields.at(i).size);
        if (fields.at(i).type == FieldType::Alpha && wider)
            fits << QStringLiteral("length(%1) <= %2").arg(value).arg(fields.at(i).size);
    }
    m_fits = fits.isEmpty() ? QStringLiteral("1") : u'(' + fits.join(QStringLiteral(" AND ")) + u')';

    SqlStatement count(connection, QStringLiteral("SELECT count(*) FROM %1.records").arg(SourceSchema));
    count.step();
    m_rows = count.columnInt(0);
    count.reset();
    findProblems();
}

TableAppend::~TableAppend()
{
    m_transaction.reset(); // rolls back unless committed, before the source is detached
}

void TableAppend::findProblems()
{
    const SqlConnection& connection = m_destination.connection();
    SqlStatement problems(connection,
        QStringLiteral("SELECT count(*), min(s.rowid) FROM %1.records s WHERE NOT %2").arg(SourceSchema, m_fits));
    problems.step();
    m_problemCount = problems.columnInt(0);
    m_firstProblemId = problems.columnInt(1);
    problems.reset();
    if (m_problemCount == 0)
        return;

    // Why the first one does not fit, as the row-by-row conversion says it.
    const QList<FieldDef>& sourceFields = m_sourceDefinition.fields;
    SqlStatement row(connection,
        QStringLiteral("SELECT %1 FROM %2.records WHERE rowid = ?")
            .arg(quotedNames(sourceFields).join(u", "), SourceSchema));
    row.bind(1, m_firstProblemId);
    QVariantList values;
    if (row.step()) {
        for (int i = 0; i < sourceFields.size(); ++i)
            values << fromColumnValue(sourceFields.at(i).type, row.column(i));
    }
    row.reset();
    const QList<FieldDef>& fields = m_destination.definition().fields;
    for (int i = 0; i < fields.size() && m_firstProblem.isEmpty(); ++i) {
        QVariant stored;
        QString why;
        if (!toStoredValue(fields.at(i), values.value(i), stored, why))
            m_firstProblem = QStringLiteral("field '%1' cannot take the value: %2").arg(fields.at(i).name, why);
    }
    if (m_firstProblem.isEmpty())
        m_firstProblem = QStringLiteral("its values do not fit the fields of table %1").arg(m_destination.name());
    SqlStatement before(
        connection, QStringLiteral("SELECT count(*) FROM %1.records WHERE rowid <= ?").arg(SourceSchema));
    before.bind(1, m_firstProblemId);
    before.step();
    m_firstProblemRow = before.columnInt(0);
    before.reset();
}

QStringList TableAppend::keyValues() const
{
    const TableDef& definition = m_destination.definition();
    QStringList keys;
    for (const QString& field : definition.primaryKey)
        keys << m_values.at(definition.fieldIndex(field));
    return keys;
}

// Whether the destination holds the key that `row` gives from column 1 on; `key` keeps the key's bytes meanwhile.
bool TableAppend::holdsKey(SqlStatement& lookUp, const SqlStatement& row, std::vector<QByteArray>& key) const
{
    for (int k = 0; k < static_cast<int>(key.size()); ++k) {
        QByteArray& value = key[static_cast<size_t>(k)];
        value = row.columnUtf8(k + 1).toByteArray();
        lookUp.bindUtf8(k + 1, value);
    }
    const SqlStatementReset lookedUp(lookUp);
    return lookUp.step();
}

std::unique_ptr<SqlStatement> TableAppend::keyLookUp() const
{
    QStringList matches;
    for (const QString& field : m_destination.definition().primaryKey)
        matches << SqlConnection::quote(field) + QStringLiteral(" = ?");
    return std::make_unique<SqlStatement>(m_destination.connection(),
        QStringLiteral("SELECT 1 FROM main.records WHERE %1 LIMIT 1").arg(matches.join(QStringLiteral(" AND "))));
}

bool TableAppend::sampleHoldsNoKey()
{
    if (m_destination.definition().primaryKey.isEmpty())
        return true;
    const QStringList keys = keyValues();
    const std::unique_ptr<SqlStatement> lookUp = keyLookUp();
    SqlStatement sample(m_destination.connection(),
        QStringLiteral("SELECT s.rowid, %1 FROM %2.records s WHERE s.rowid % ? = 0 AND %3 LIMIT ?")
            .arg(keys.join(u", "), SourceSchema, m_fits));
    sample.bind(1, std::max<qint64>(1, m_rows / SampledKeys));
    sample.bind(2, SampledKeys);
    const SqlStatementReset done(sample);
    std::vector<QByteArray> key(static_cast<size_t>(keys.size()));
    while (sample.step()) {
        if (holdsKey(*lookUp, sample, key))
            return false;
    }
    return true;
}

void TableAppend::findRefused()
{
    if (m_refusedFound)
        return;
    m_refusedFound = true;
    if (m_destination.definition().primaryKey.isEmpty())
        return;
    const SqlConnection& connection = m_destination.connection();
    const QStringList keys = keyValues();
    // The source's keys in key order, each row after the earlier rows of its key: the first of a key is refused
    // when the destination holds the key, every later one always. In key order the look-ups walk the destination's
    // key index from its start to its end, each page once, so that the small page cache of the examination serves
    // them.
    m_refused.reserve(static_cast<size_t>(m_rows - m_problemCount));
    SqlStatement sorted(connection,
        QStringLiteral("SELECT s.rowid, %1 FROM %2.records s WHERE %3 ORDER BY %1, s.rowid")
            .arg(keys.join(u", "), SourceSchema, m_fits));
    const std::unique_ptr<SqlStatement> lookUp = keyLookUp();
    const SqlStatementReset sortedDone(sorted);
    const size_t keyCount = static_cast<size_t>(keys.size());
    std::vector<QByteArray> previous(keyCount);
    bool first = true;
    while (sorted.step()) {
        bool repeats = !first;
        for (size_t k = 0; k < keyCount && repeats; ++k)
            repeats = QByteArrayView(previous[k]) == sorted.columnUtf8(static_cast<int>(k) + 1);
        first = false;
        if (repeats || holdsKey(*lookUp, sorted, previous))
            m_refused.push_back(sorted.columnInt(0));
    }
    if (m_refused.empty())
        return;
    std::sort(m_refused.begin(), m_refused.end());
    connection.exec(QStringLiteral("CREATE TEMP TABLE refused_rows(id INTEGER PRIMARY KEY)"));
    SqlStatement insert(connection, QStringLiteral("INSERT INTO temp.refused_rows(id) VALUES (?)"));
    for (const qint64 id : m_refused) {
        insert.bind(1, id);
        const SqlStatementReset done(insert);
        insert.step();
    }
}

qint64 TableAppend::refusedCount()
{
    findRefused();
    return static_cast<qint64>(m_refused.size());
}

bool TableAppend::refusesBeforeProblem()
{
    findRefused();
    return !m_refused.empty() && (m_problemCount == 0 || m_refused.front() < m_firstProblemId);
}

// The rows that fit, in stored order, all but the refused ones into the destination, or only those into `schema`.
void TableAppend::insertRows(const QString& schema, bool refused)
{
    QString condition = m_fits;
    if (!m_refused.empty() || refused) {
        condition += QStringLiteral(" AND %1 s.rowid IN (SELECT id FROM temp.refused_rows)")
                         .arg(refused ? QString() : QStringLiteral("NOT"));
    }
    m_destination.connection().exec(QStringLiteral("INSERT INTO %1.records(%2) SELECT %3 FROM %4.records s WHERE %5 "
                                                   "ORDER BY s.rowid")
                                        .arg(schema, quotedNames(m_destination.definition().fields).join(u", "),
                                            m_values.join(u", "), SourceSchema, condition));
}

// Adds the rows, then builds the indexes given, which were dropped for it.
void TableAppend::addRows(QList<IndexDef>& indexes)
{
    const QString main = QStringLiteral("main");
    bool added = false;
    if (!m_refusedFound && !indexes.isEmpty() && indexes.front().unique) {
        // The key index, built over the rows of an empty table, finds whether a key repeats: usually none does, and
        // the key check is then done. Otherwise the rows go again, without the refused ones.
        SqlTransaction attempt(m_destination.connection(), SqlTransaction::Mode::Savepoint);
        insertRows(main, false);
        try {
            m_destination.buildIndex(indexes.front());
            attempt.commit();
            added = true;
            m_refusedFound = true;
            indexes.removeFirst();
        } catch (const KeyViolation&) {
            // rolled back with the attempt
        }
    }
    if (!added) {
        findRefused();
        if (m_rows - m_problemCount > static_cast<qint64>(m_refused.size()))
            insertRows(main, false);
    }
    for (const IndexDef& index : indexes)
        m_destination.buildIndex(index);
}

qint64 TableAppend::commit(KeyViolationTable& violations)
{
    const TableDef& definition = m_destination.definition();
    const qint64 held = m_destination.rowCount();
    const qint64 fitting = m_rows - m_problemCount;
    // Where the rows added are many and a sample of them finds no key the destination holds, they go in first and
    // the key index built over all rows tells whether any key repeats, as into an empty table; otherwise the keys
    // are checked first, and whether the rows added are many depends on that.
    if (held > 0 && !(fitting * ManyRowsDivisor >= held && sampleHoldsNoKey()))
        findRefused();
    m_destination.connection().exec(QStringLiteral("PRAGMA cache_size = -%1").arg(TableLoad::CacheKib));
    if (fitting > static_cast<qint64>(m_refused.size())) {
        QList<IndexDef> dropped;
        if ((fitting - static_cast<qint64>(m_refused.size())) * ManyRowsDivisor >= held) {
            if (!definition.primaryKey.isEmpty())
                dropped.append(IndexDef { QStringLiteral("PRIMARY"), definition.primaryKey, true, false });
            dropped.append(definition.indexes);
            for (const IndexDef& index : dropped)
                m_destination.dropIndex(index);
        }
        addRows(dropped);
    }
    findRefused();
    if (!m_refused.empty() && violations.kept())
        insertRows(violations.open(), true);
    m_transaction->commit();
    return fitting - static_cast<qint64>(m_refused.size());
}

} // namespace db
