#pragma once

#include "platform/db/DataSetCursor.h"

#include <deque>
#include <memory>
#include <optional>

namespace db {

// A cursor over rows that come one after another from a source (a query's live statement, rows read from a text
// file). It keeps a bounded cache of rows; reaching back before the cache starts the source again and skips. A
// bookmark is the row's ordinal.
class SequentialCursor : public DataSet::Cursor
{
public:
    class Source
    {
    public:
        virtual ~Source() = default;
        virtual void restart() = 0; // back before the first row
        virtual bool next(QVariantList& row) = 0; // false at the end, where the source releases what it holds
        virtual std::optional<qint64> count() { return std::nullopt; } // when it is known without reading
    };

    static constexpr qsizetype DefaultCacheRows = 1024;

    SequentialCursor(
        QString name, QList<FieldDef> columns, std::unique_ptr<Source> source, qsizetype cacheRows = DefaultCacheRows);
    ~SequentialCursor() override;

    // Rows held in memory from the start (a text table read whole).
    static std::unique_ptr<SequentialCursor> fromRows(
        QString name, QList<FieldDef> columns, std::vector<QVariantList> rows);

    // Reads ahead up to `rows` rows; true when that reached the end, so that everything is cached.
    bool prefetch(qint64 rows);

    QString name() const override { return m_name; }
    const QList<FieldDef>& columns() const override { return m_columns; }
    std::vector<RecordRow> fetch(const Bookmark& from, int count, bool forward) override;
    std::vector<RecordRow> seek(const Bookmark& at, int count) override;
    std::optional<RecordRow> reread(const Bookmark& bookmark) override;
    qint64 count() override;
    qint64 position(const Bookmark& bookmark) override { return std::max<qint64>(bookmark.id, 0); }
    std::optional<RecordRow> rowAt(qint64 position) override;
    std::optional<RecordRow> locate(int column, const QVariant& value, LocateOptions options) override;

private:
    bool load(qint64 position); // brings the row into the cache; false when the result is shorter
    void readToEnd();
    void append(QVariantList row);
    RecordRow cachedRow(qint64 position) const;

    QString m_name;
    QList<FieldDef> m_columns;
    std::unique_ptr<Source> m_source;
    qsizetype m_capacity;
    std::deque<QVariantList> m_cache; // the rows m_cacheStart .. m_next - 1
    qint64 m_cacheStart = 0;
    qint64 m_next = 0; // ordinal of the row the source gives next
    bool m_exhausted = false;
    qint64 m_total = -1; // known once exhausted
};

} // namespace db
