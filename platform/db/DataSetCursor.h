#pragma once

#include "platform/db/DataSet.h"
#include "platform/db/FieldDef.h"

#include <QList>

#include <optional>
#include <vector>

namespace db {

// What a data set reads its rows through. Rows carry every source field in source order; the data set maps its
// fields onto them. Bookmarks are the cursor's own: order key values and a row id for tables, the ordinal for
// sequential results.
class DataSet::Cursor
{
public:
    Cursor() = default;
    virtual ~Cursor() = default;
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    virtual QString name() const = 0; // the table or query, as messages name it
    virtual const QList<FieldDef>& columns() const = 0;

    // Up to `count` rows after (forward) or before `from`, nearest first. An invalid bookmark starts from the
    // first (forward) or last row.
    virtual std::vector<RecordRow> fetch(const Bookmark& from, int count, bool forward) = 0;
    // Up to `count` rows from `at` on: the row itself when it is still there, then the rows after it.
    virtual std::vector<RecordRow> seek(const Bookmark& at, int count) = 0;
    // The row a bookmark names, read anew (its bookmark follows a changed key); nothing when it is gone.
    virtual std::optional<RecordRow> reread(const Bookmark& bookmark) = 0;

    virtual qint64 count() = 0;
    virtual qint64 position(const Bookmark& bookmark) = 0; // the number of rows before it
    virtual std::optional<RecordRow> rowAt(qint64 position) = 0;
    // The row `offset` rows on from `from`: the row itself at 0 (or the next one when it is gone); an invalid
    // bookmark counts from the first row. Nothing past the end.
    virtual std::optional<RecordRow> rowFrom(const Bookmark& from, qint64 offset);
    // How many rows lie from `from` (included) up to `to` (excluded), counting no further than `limit`; an invalid
    // `from` counts from the first row.
    virtual qint64 countBetween(const Bookmark& from, const Bookmark& to, qint64 limit);
    virtual std::optional<RecordRow> locate(int column, const QVariant& value, LocateOptions options) = 0;

    virtual bool canModify() const { return false; }
    // Writes a row: an update of the changed columns of `existing`, or an insert. Returns the row's bookmark.
    virtual Bookmark post(const Bookmark* existing, const QVariantList& values, const std::vector<bool>& changed);
    virtual void remove(const Bookmark& bookmark);
    virtual void refresh() { } // forget what is cached, so the next reads see other writers' changes
};

} // namespace db
