#pragma once

#include "platform/db/DataSetCursor.h"

#include <QStringList>

#include <map>
#include <memory>
#include <optional>

namespace db {

class SqlStatement;
class TableFile;

// Reads a table file in the order of an index, a window of rows at a time. Every read is one LIMIT query that
// continues from a bookmark (the order key values and the row id) along the index, runs to its end and is reset,
// so no lock is held between reads and a million rows open and scroll as fast as fifty.
class TableCursor : public DataSet::Cursor
{
public:
    explicit TableCursor(std::unique_ptr<TableFile> file);
    ~TableCursor() override;

    const TableFile& file() const { return *m_file; }

    // The order: these fields (case-insensitively when asked), then the row id; no fields: the row id alone.
    void setOrder(const QStringList& fields, bool caseInsensitive);
    QStringList orderFields() const;
    // Only the rows whose columns equal the values (a detail of a master row).
    void setRange(const QList<int>& columns, const QVariantList& values);
    void setNoRows(); // a detail whose master has no current row
    void clearRange();
    const QList<int>& rangeColumns() const { return m_rangeColumns; }
    const QVariantList& rangeValues() const { return m_rangeValues; }
    bool noRows() const { return m_noRows; }

    // The plan SQLite chose for the last read (EXPLAIN QUERY PLAN), to check that reads use an index.
    QStringList explainLastRead() const;

    QString name() const override;
    const QList<FieldDef>& columns() const override;
    std::vector<RecordRow> fetch(const Bookmark& from, int count, bool forward) override;
    std::vector<RecordRow> seek(const Bookmark& at, int count) override;
    std::optional<RecordRow> reread(const Bookmark& bookmark) override;
    qint64 count() override;
    qint64 position(const Bookmark& bookmark) override;
    std::optional<RecordRow> rowAt(qint64 position) override;
    std::optional<RecordRow> rowFrom(const Bookmark& from, qint64 offset) override;
    qint64 countBetween(const Bookmark& from, const Bookmark& to, qint64 limit) override;
    std::optional<RecordRow> locate(int column, const QVariant& value, LocateOptions options) override;
    bool canModify() const override { return true; }
    Bookmark post(const Bookmark* existing, const QVariantList& values, const std::vector<bool>& changed) override;
    void remove(const Bookmark& bookmark) override;
    void refresh() override { m_count.reset(); }

private:
    struct OrderColumn
    {
        int column;
        bool noCase;
    };

    SqlStatement& statement(const QString& sql);
    std::vector<RecordRow> read(const QString& sql, const QVariantList& bindings);
    qint64 readCount(const QString& sql, const QVariantList& bindings);
    qint64 dataVersion(); // changes when another connection commits to the file
    RecordRow rowOf(const SqlStatement& statement) const;
    std::optional<RecordRow> readById(qint64 id, bool withinRange);
    Bookmark usable(const Bookmark& bookmark);

    QString selectList() const;
    QString orderExpression(const OrderColumn& column) const;
    std::vector<OrderColumn> effectiveOrder() const;
    QString orderBy(bool forward) const;
    QStringList rangeConditions(QVariantList& bindings) const;
    QString keyCondition(const Bookmark& bookmark, bool forward, bool inclusive, QVariantList& bindings) const;
    // The range's conditions and, from a usable bookmark, the key's: the rows from it on (or back from it).
    QStringList conditionsFrom(const Bookmark& from, bool forward, bool inclusive, QVariantList& bindings);
    QString where(const QStringList& conditions) const;
    QVariant keyValue(const Bookmark& bookmark, int column) const;

    std::unique_ptr<TableFile> m_file;
    std::map<QString, std::unique_ptr<SqlStatement>> m_statements; // prepared once, reused
    std::vector<OrderColumn> m_order;
    QList<int> m_rangeColumns;
    QVariantList m_rangeValues;
    bool m_noRows = false;
    std::optional<qint64> m_count;
    qint64 m_countVersion = 0;
    QString m_lastSql;
    QVariantList m_lastBindings;
};

} // namespace db
