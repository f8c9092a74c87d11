#include "platform/db/TableCursor.h"

#include "platform/db/EngineError.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlStatementReset.h"
#include "platform/db/SqlTransaction.h"
#include "platform/db/StoredValue.h"
#include "platform/db/TableFile.h"

#include <algorithm>

namespace db {
namespace {

// The smallest text above every text that begins with `prefix`, in the order of a binary or (noCase) an ASCII
// case-folded comparison; nothing when there is none.
std::optional<QString> prefixUpperBound(const QString& prefix, bool noCase)
{
    QList<uint> points = prefix.toUcs4();
    if (points.isEmpty())
        return std::nullopt;
    uint last = points.last() + 1;
    if (last > 0x10FFFF)
        return std::nullopt;
    if (last >= 0xD800 && last <= 0xDFFF)
        last = 0xE000;
    // Folded texts hold no upper-case letters, so the next one after '@' is '['.
    if (noCase && last >= u'A' && last <= u'Z')
        last = u'[';
    points.last() = last;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

qsizetype characterCount(const QString& text)
{
    return text.toUcs4().size();
}

} // namespace

TableCursor::TableCursor(std::unique_ptr<TableFile> file)
    : m_file(std::move(file))
{
}

TableCursor::~TableCursor()
{
    // Statements go before the file whose connection they belong to.
    m_statements.clear();
}

QString TableCursor::name() const
{
    return m_file->name();
}

const QList<FieldDef>& TableCursor::columns() const
{
    return m_file->definition().fields;
}

void TableCursor::setOrder(const QStringList& fields, bool caseInsensitive)
{
    std::vector<OrderColumn> order;
    for (const QString& field : fields) {
        const int column = m_file->definition().fieldIndex(field);
        if (column < 0)
            throw EngineError(QStringLiteral("Field '%1' not found in table %2").arg(field, name()), 0, name());
        // Only text has a letter case to ignore.
        const bool text = columns().at(column).type != FieldType::Short;
        order.push_back(OrderColumn { column, caseInsensitive && text });
    }
    m_order = std::move(order);
}

QStringList TableCursor::orderFields() const
{
    QStringList fields;
    for (const OrderColumn& column : m_order)
        fields << columns().at(column.column).name;
    return fields;
}

void TableCursor::setRange(const QList<int>& columns, const QVariantList& values)
{
    m_rangeColumns = columns;
    m_rangeValues = values;
    m_noRows = false;
    m_count.reset();
}

void TableCursor::setNoRows()
{
    m_rangeColumns.clear();
    m_rangeValues.clear();
    m_noRows = true;
    m_count.reset();
}

void TableCursor::clearRange()
{
    setRange({}, {});
}

// SQL pieces

QString TableCursor::selectList() const
{
    QStringList list { QStringLiteral("rowid") };
    for (const FieldDef& field : columns())
        list << SqlConnection::quote(field.name);
    return list.join(u", ");
}

QString TableCursor::orderExpression(const OrderColumn& column) const
{
    const QString name = SqlConnection::quote(columns().at(column.column).name);
    return column.noCase ? name + QStringLiteral(" COLLATE NOCASE") : name;
}

std::vector<TableCursor::OrderColumn> TableCursor::effectiveOrder() const
{
    // A column the range fixes is constant over the rows seen, so it drops out of the order and the key.
    std::vector<OrderColumn> order;
    for (const OrderColumn& column : m_order) {
        if (!m_rangeColumns.contains(column.column))
            order.push_back(column);
    }
    return order;
}

QString TableCursor::orderBy(bool forward) const
{
    const QString direction = forward ? QString() : QStringLiteral(" DESC");
    QStringList terms;
    for (const OrderColumn& column : effectiveOrder())
        terms << orderExpression(column) + direction;
    terms << QStringLiteral("rowid") + direction;
    return QStringLiteral(" ORDER BY ") + terms.join(u", ");
}

QStringList TableCursor::rangeConditions(QVariantList& bindings) const
{
    QStringList conditions;
    for (int i = 0; i < m_rangeColumns.size(); ++i) {
        const QString name = SqlConnection::quote(columns().at(m_rangeColumns.at(i)).name);
        const QVariant& value = m_rangeValues.at(i);
        if (value.isNull()) {
            conditions << name + QStringLiteral(" IS NULL");
        } else {
            conditions << name + QStringLiteral(" = ?");
            bindings << value;
        }
    }
    return conditions;
}

QString TableCursor::keyCondition(const Bookmark& bookmark, bool forward, bool inclusive, QVariantList& bindings) const
{
    const std::vector<OrderColumn> order = effectiveOrder();
    const QString strict = forward ? QStringLiteral(">") : QStringLiteral("<");
    const QString last = inclusive ? strict + u'=' : strict;
    if (order.empty()) {
        bindings << bookmark.id;
        return QStringLiteral("rowid %1 ?").arg(last);
    }
    const bool nullable = std::any_of(order.cbegin(), order.cend(),
        [this](const OrderColumn& column) { return columns().at(column.column).type == FieldType::Short; });
    if (!nullable) {
        // The bound over the order columns alone lets SQLite start inside the index; the row value then places
        // the row among its equals.
        QStringList expressions;
        QStringList places;
        QVariantList keys;
        for (const OrderColumn& column : order) {
            expressions << orderExpression(column);
            places << QStringLiteral("?");
            keys << keyValue(bookmark, column.column);
        }
        bindings << keys << keys << bookmark.id;
        return QStringLiteral("(%1) %2= (%3) AND (%1, rowid) %4 (%3, ?)")
            .arg(expressions.join(u", "), strict, places.join(u", "), last);
    }
    // Short columns may hold NULL, which sorts first and compares to nothing: spell the order out.
    QString condition = QStringLiteral("rowid %1 ?").arg(last);
    QVariantList tail { bookmark.id };
    for (auto column = order.crbegin(); column != order.crend(); ++column) {
        const QVariant key = keyValue(bookmark, column->column);
        const QString expression = orderExpression(*column);
        QVariantList head;
        if (key.isNull()) {
            condition = forward ? QStringLiteral("(%1 IS NOT NULL OR (%1 IS NULL AND %2))").arg(expression, condition)
                                : QStringLiteral("(%1 IS NULL AND %2)").arg(expression, condition);
        } else {
            condition = forward
                ? QStringLiteral("(%1 > ? OR (%1 = ? AND %2))").arg(expression, condition)
                : QStringLiteral("(%1 < ? OR %1 IS NULL OR (%1 = ? AND %2))").arg(expression, condition);
            head << key << key;
        }
        tail = head + tail;
    }
    bindings << tail;
    return condition;
}

QVariant TableCursor::keyValue(const Bookmark& bookmark, int column) const
{
    for (size_t i = 0; i < m_order.size(); ++i) {
        if (m_order[i].column == column)
            return bookmark.key.value(static_cast<qsizetype>(i));
    }
    return {};
}

QString TableCursor::where(const QStringList& conditions) const
{
    return conditions.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

// Running the reads

SqlStatement& TableCursor::statement(const QString& sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, std::make_unique<SqlStatement>(m_file->connection(), sql)).first;
    return *it->second;
}

RecordRow TableCursor::rowOf(const SqlStatement& statement) const
{
    RecordRow row;
    row.bookmark.id = statement.columnInt(0);
    const QList<FieldDef>& fields = columns();
    row.values.reserve(fields.size());
    for (int i = 0; i < fields.size(); ++i)
        row.values.append(fromColumnValue(fields.at(i).type, statement.column(i + 1)));
    for (const OrderColumn& column : m_order)
        row.bookmark.key.append(row.values.at(column.column));
    return row;
}

std::vector<RecordRow> TableCursor::read(const QString& sql, const QVariantList& bindings)
{
    SqlStatement& query = statement(sql);
    m_lastSql = sql;
    m_lastBindings = bindings;
    query.bindAll(bindings);
    const SqlStatementReset done(query);
    std::vector<RecordRow> rows;
    while (query.step())
        rows.push_back(rowOf(query));
    return rows;
}

qint64 TableCursor::readCount(const QString& sql, const QVariantList& bindings)
{
    SqlStatement& query = statement(sql);
    m_lastSql = sql;
    m_lastBindings = bindings;
    query.bindAll(bindings);
    const SqlStatementReset done(query);
    query.step();
    return query.columnInt(0);
}

qint64 TableCursor::dataVersion()
{
    SqlStatement& query = statement(QStringLiteral("PRAGMA data_version"));
    const SqlStatementReset done(query);
    query.step();
    return query.columnInt(0);
}

std::optional<RecordRow> TableCursor::readById(qint64 id, bool withinRange)
{
    if (withinRange && m_noRows)
        return std::nullopt;
    QVariantList bindings { id };
    QStringList conditions { QStringLiteral("rowid = ?") };
    if (withinRange)
        conditions << rangeConditions(bindings);
    std::vector<RecordRow> rows
        = read(QStringLiteral("SELECT %1 FROM records%2").arg(selectList(), where(conditions)), bindings);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

Bookmark TableCursor::usable(const Bookmark& bookmark)
{
    // A bookmark taken in another order names its row by id only; read its key in this order.
    if (!bookmark.isValid() || bookmark.key.size() == static_cast<qsizetype>(m_order.size()))
        return bookmark;
    const std::optional<RecordRow> row = readById(bookmark.id, false);
    return row ? row->bookmark : Bookmark {};
}

QStringList TableCursor::explainLastRead() const
{
    SqlStatement plan(m_file->connection(), QStringLiteral("EXPLAIN QUERY PLAN ") + m_lastSql);
    plan.bindAll(m_lastBindings);
    QStringList lines;
    while (plan.step())
        lines << plan.column(3).toString();
    return lines;
}

QStringList TableCursor::conditionsFrom(const Bookmark& from, bool forward, bool inclusive, QVariantList& bindings)
{
    QStringList conditions = rangeConditions(bindings);
    const Bookmark start = usable(from);
    if (start.isValid())
        conditions << keyCondition(start, forward, inclusive, bindings);
    return conditions;
}

std::vector<RecordRow> TableCursor::fetch(const Bookmark& from, int count, bool forward)
{
    if (m_noRows || count <= 0)
        return {};
    QVariantList bindings;
    QStringList conditions = conditionsFrom(from, forward, false, bindings);
    bindings << count;
    return read(
        QStringLiteral("SELECT %1 FROM records%2%3 LIMIT ?").arg(selectList(), where(conditions), orderBy(forward)),
        bindings);
}

std::vector<RecordRow> TableCursor::seek(const Bookmark& at, int count)
{
    const Bookmark start = usable(at);
    if (!start.isValid())
        return fetch({}, count, true);
    if (m_noRows || count <= 0)
        return {};
    QVariantList bindings;
    QStringList conditions = rangeConditions(bindings);
    conditions << keyCondition(start, true, true, bindings);
    bindings << count;
    return read(
        QStringLiteral("SELECT %1 FROM records%2%3 LIMIT ?").arg(selectList(), where(conditions), orderBy(true)),
        bindings);
}

std::optional<RecordRow> TableCursor::reread(const Bookmark& bookmark)
{
    if (!bookmark.isValid())
        return std::nullopt;
    return readById(bookmark.id, true);
}

qint64 TableCursor::count()
{
    if (m_noRows)
        return 0;
    // Our own posts and deletes drop the count; the data version tells of another connection's commits.
    const qint64 version = dataVersion();
    if (!m_count || m_countVersion != version) {
        QVariantList bindings;
        const QStringList conditions = rangeConditions(bindings);
        m_count = readCount(QStringLiteral("SELECT count(*) FROM records%1").arg(where(conditions)), bindings);
        m_countVersion = version;
    }
    return *m_count;
}

qint64 TableCursor::position(const Bookmark& bookmark)
{
    const Bookmark at = usable(bookmark);
    if (m_noRows || !at.isValid())
        return 0;
    QVariantList bindings;
    QStringList conditions = rangeConditions(bindings);
    conditions << keyCondition(at, false, false, bindings);
    return readCount(QStringLiteral("SELECT count(*) FROM records%1").arg(where(conditions)), bindings);
}

std::optional<RecordRow> TableCursor::rowAt(qint64 position)
{
    return rowFrom({}, position);
}

std::optional<RecordRow> TableCursor::rowFrom(const Bookmark& from, qint64 offset)
{
    if (m_noRows || offset < 0)
        return std::nullopt;
    QVariantList bindings;
    QStringList conditions = conditionsFrom(from, true, true, bindings);
    bindings << offset;
    // The skipped rows are stepped over inside the index, without reading their records.
    std::vector<RecordRow> rows = read(QStringLiteral("SELECT %1 FROM records%2%3 LIMIT 1 OFFSET ?")
                                           .arg(selectList(), where(conditions), orderBy(true)),
        bindings);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

qint64 TableCursor::countBetween(const Bookmark& from, const Bookmark& to, qint64 limit)
{
    const Bookmark end = usable(to);
    if (m_noRows || limit <= 0 || !end.isValid())
        return 0;
    QVariantList bindings;
    QStringList conditions = conditionsFrom(from, true, true, bindings);
    conditions << keyCondition(end, false, false, bindings);
    bindings << limit;
    return readCount(
        QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM records%1 LIMIT ?)").arg(where(conditions)), bindings);
}

std::optional<RecordRow> TableCursor::locate(int column, const QVariant& value, LocateOptions options)
{
    if (m_noRows)
        return std::nullopt;
    const FieldDef& field = columns().at(column);
    const QString name = SqlConnection::quote(field.name);
    const bool caseInsensitive = options.testFlag(LocateOption::CaseInsensitive);
    const bool partial = options.testFlag(LocateOption::PartialKey);
    QVariantList bindings;
    QStringList conditions = rangeConditions(bindings);

    if (field.type == FieldType::Short) {
        // A number matches as a number; a partial key matches the digits it begins with.
        const QString text = value.isNull() ? QString() : value.toString().trimmed();
        if (partial) {
            if (!text.isEmpty()) {
                conditions << QStringLiteral("substr(CAST(%1 AS TEXT), 1, ?) = ?").arg(name);
                bindings << characterCount(text) << text;
            }
        } else if (text.isEmpty()) {
            conditions << name + QStringLiteral(" IS NULL");
        } else {
            bool ok = false;
            const int number = text.toInt(&ok);
            if (!ok)
                return std::nullopt;
            conditions << name + QStringLiteral(" = ?");
            bindings << number;
        }
    } else {
        const QString text = value.isNull() ? QStringLiteral("") : value.toString();
        if (!(partial && text.isEmpty())) { // an empty partial key matches every row
            // Where the searched field leads the order and the index's collation fits, a range on the index
            // finds the first match without a scan.
            const std::vector<OrderColumn> order = effectiveOrder();
            if (!order.empty() && order.front().column == column) {
                const bool noCaseIndex = order.front().noCase;
                const QString indexed = orderExpression(order.front());
                if (noCaseIndex && !partial) {
                    conditions << indexed + QStringLiteral(" = ?");
                    bindings << text;
                } else if (noCaseIndex || !caseInsensitive) {
                    if (partial) {
                        conditions << indexed + QStringLiteral(" >= ?");
                        bindings << (noCaseIndex ? foldAscii(text) : text);
                        if (const auto upper = prefixUpperBound(noCaseIndex ? foldAscii(text) : text, noCaseIndex)) {
                            conditions << indexed + QStringLiteral(" < ?");
                            bindings << *upper;
                        }
                    }
                }
            }
            const QString collation = caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString();
            if (partial) {
                conditions << QStringLiteral("substr(%1, 1, ?) = ?%2").arg(name, collation);
                bindings << characterCount(text) << text;
            } else {
                conditions << QStringLiteral("%1 = ?%2").arg(name, collation);
                bindings << text;
            }
        }
    }
    std::vector<RecordRow> rows
        = read(QStringLiteral("SELECT %1 FROM records%2%3 LIMIT 1").arg(selectList(), where(conditions), orderBy(true)),
            bindings);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

// Writing

Bookmark TableCursor::post(const Bookmark* existing, const QVariantList& values, const std::vector<bool>& changed)
{
    const QList<FieldDef>& fields = columns();
    QVariantList stored;
    for (int i = 0; i < fields.size(); ++i) {
        QVariant value;
        QString why;
        if (!toStoredValue(fields.at(i), values.value(i), value, why)) {
            throw EngineError(
                QStringLiteral("Field '%1' cannot take the value: %2").arg(fields.at(i).name, why), 0, name());
        }
        stored << value;
    }
    const SqlConnection& connection = m_file->connection();
    qint64 id = -1;
    {
        // A write that a linked transaction holds open (LinkedWrite) is joined, not nested.
        std::unique_ptr<SqlTransaction> transaction;
        if (!connection.inTransaction())
            transaction = std::make_unique<SqlTransaction>(connection);
        if (existing) {
            id = existing->id;
            QStringList assignments;
            QVariantList bindings;
            for (int i = 0; i < fields.size(); ++i) {
                if (static_cast<size_t>(i) < changed.size() && changed[static_cast<size_t>(i)]) {
                    assignments << SqlConnection::quote(fields.at(i).name) + QStringLiteral(" = ?");
                    bindings << stored.at(i);
                }
            }
            if (!assignments.isEmpty()) {
                bindings << id;
                SqlStatement& update
                    = statement(QStringLiteral("UPDATE records SET %1 WHERE rowid = ?").arg(assignments.join(u", ")));
                update.bindAll(bindings);
                const SqlStatementReset done(update);
                update.step();
                if (connection.changes() == 0) {
                    throw EngineError(QStringLiteral("The record no longer exists in table %1: another program has "
                                                     "deleted it")
                                          .arg(name()),
                        0, name());
                }
            }
        } else {
            QStringList names;
            QStringList places;
            for (const FieldDef& field : fields) {
                names << SqlConnection::quote(field.name);
                places << QStringLiteral("?");
            }
            SqlStatement& insert = statement(
                QStringLiteral("INSERT INTO records(%1) VALUES (%2)").arg(names.join(u", "), places.join(u", ")));
            insert.bindAll(stored);
            const SqlStatementReset done(insert);
            insert.step();
            id = connection.lastInsertRowId();
        }
        if (transaction)
            transaction->commit();
    }
    m_count.reset();
    // The key as stored now: other programs may have changed the columns this edit left alone.
    if (const std::optional<RecordRow> row = readById(id, false))
        return row->bookmark;
    Bookmark bookmark { {}, id };
    for (const OrderColumn& column : m_order)
        bookmark.key.append(stored.at(column.column));
    return bookmark;
}

void TableCursor::remove(const Bookmark& bookmark)
{
    const SqlConnection& connection = m_file->connection();
    SqlTransaction transaction(connection);
    SqlStatement& remove = statement(QStringLiteral("DELETE FROM records WHERE rowid = ?"));
    remove.bind(1, bookmark.id);
    {
        const SqlStatementReset done(remove);
        remove.step();
    }
    transaction.commit();
    m_count.reset();
}

} // namespace db
