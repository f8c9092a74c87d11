#include "platform/db/SequentialCursor.h"

#include "platform/db/StoredValue.h"

#include <limits>

namespace db {
namespace {

class RowsSource : public SequentialCursor::Source
{
public:
    explicit RowsSource(std::vector<QVariantList> rows)
        : m_rows(std::move(rows))
    {
    }

    void restart() override { m_next = 0; }
    bool next(QVariantList& row) override
    {
        if (m_next >= m_rows.size())
            return false;
        row = m_rows[m_next++];
        return true;
    }
    std::optional<qint64> count() override { return static_cast<qint64>(m_rows.size()); }

private:
    std::vector<QVariantList> m_rows;
    size_t m_next = 0;
};

bool matches(const FieldDef& field, const QVariant& stored, const QVariant& wanted, LocateOptions options)
{
    const bool caseInsensitive = options.testFlag(LocateOption::CaseInsensitive);
    const bool partial = options.testFlag(LocateOption::PartialKey);
    QString value = stored.isNull() ? QString() : stored.toString();
    QString key = wanted.isNull() ? QString() : wanted.toString();
    if (field.type == FieldType::Short) {
        key = key.trimmed();
        if (!partial && !key.isEmpty()) {
            bool ok = false;
            const int number = key.toInt(&ok);
            return ok && !stored.isNull() && stored.toInt() == number;
        }
    }
    if (caseInsensitive) {
        value = foldAscii(value);
        key = foldAscii(key);
    }
    return partial ? value.startsWith(key) : value == key;
}

} // namespace

SequentialCursor::SequentialCursor(
    QString name, QList<FieldDef> columns, std::unique_ptr<Source> source, qsizetype cacheRows)
    : m_name(std::move(name))
    , m_columns(std::move(columns))
    , m_source(std::move(source))
    , m_capacity(std::max<qsizetype>(cacheRows, 1))
{
}

SequentialCursor::~SequentialCursor() = default;

std::unique_ptr<SequentialCursor> SequentialCursor::fromRows(
    QString name, QList<FieldDef> columns, std::vector<QVariantList> rows)
{
    const auto count = static_cast<qsizetype>(rows.size());
    auto cursor = std::make_unique<SequentialCursor>(std::move(name), std::move(columns),
        std::make_unique<RowsSource>(std::move(rows)), std::max(count, qsizetype(1)));
    cursor->readToEnd();
    return cursor;
}

void SequentialCursor::append(QVariantList row)
{
    m_cache.push_back(std::move(row));
    if (static_cast<qsizetype>(m_cache.size()) > m_capacity) {
        m_cache.pop_front();
        ++m_cacheStart;
    }
    ++m_next;
}

bool SequentialCursor::load(qint64 position)
{
    if (position < 0)
        return false;
    if (position >= m_cacheStart && position < m_next)
        return true;
    if (m_exhausted && position >= m_total)
        return false;
    if (position < m_cacheStart) {
        m_source->restart();
        m_cache.clear();
        m_cacheStart = 0;
        m_next = 0;
        m_exhausted = false;
    }
    QVariantList row;
    while (m_next <= position) {
        if (!m_source->next(row)) {
            m_exhausted = true;
            m_total = m_next;
            return false;
        }
        if (position - m_next >= m_capacity) {
            // Far before the row wanted: skipped, not kept.
            m_cache.clear();
            ++m_next;
            m_cacheStart = m_next;
        } else {
            append(std::move(row));
        }
    }
    return true;
}

void SequentialCursor::readToEnd()
{
    if (m_exhausted)
        return;
    QVariantList row;
    while (m_source->next(row))
        append(std::move(row));
    m_exhausted = true;
    m_total = m_next;
}

bool SequentialCursor::prefetch(qint64 rows)
{
    if (rows > 0)
        load(rows - 1);
    if (!m_exhausted) {
        // Exactly `rows` rows: the end is one step further.
        load(rows);
    }
    return m_exhausted && m_cacheStart == 0;
}

RecordRow SequentialCursor::cachedRow(qint64 position) const
{
    return RecordRow { Bookmark { {}, position }, m_cache.at(static_cast<size_t>(position - m_cacheStart)) };
}

std::vector<RecordRow> SequentialCursor::fetch(const Bookmark& from, int count, bool forward)
{
    std::vector<RecordRow> rows;
    if (count <= 0)
        return rows;
    if (forward) {
        for (qint64 position = from.isValid() ? from.id + 1 : 0; static_cast<int>(rows.size()) < count; ++position) {
            if (!load(position))
                break;
            rows.push_back(cachedRow(position));
        }
        return rows;
    }
    qint64 position = from.id - 1;
    if (!from.isValid()) {
        readToEnd();
        position = m_total - 1;
    }
    for (; position >= 0 && static_cast<int>(rows.size()) < count; --position) {
        if (!load(position))
            break;
        rows.push_back(cachedRow(position));
    }
    return rows;
}

std::vector<RecordRow> SequentialCursor::seek(const Bookmark& at, int count)
{
    return fetch(Bookmark { {}, at.isValid() ? at.id - 1 : -1 }, count, true);
}

std::optional<RecordRow> SequentialCursor::reread(const Bookmark& bookmark)
{
    return rowAt(bookmark.id);
}

qint64 SequentialCursor::count()
{
    if (m_exhausted)
        return m_total;
    if (const std::optional<qint64> known = m_source->count())
        return *known;
    readToEnd();
    return m_total;
}

std::optional<RecordRow> SequentialCursor::rowAt(qint64 position)
{
    if (!load(position))
        return std::nullopt;
    return cachedRow(position);
}

std::optional<RecordRow> SequentialCursor::locate(int column, const QVariant& value, LocateOptions options)
{
    const FieldDef& field = m_columns.at(column);
    for (qint64 position = 0; load(position); ++position) {
        const QVariantList& row = m_cache.at(static_cast<size_t>(position - m_cacheStart));
        if (matches(field, row.value(column), value, options))
            return cachedRow(position);
    }
    return std::nullopt;
}

} // namespace db
