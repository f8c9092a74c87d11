#pragma once

#include <QVariantList>

namespace db {

// A position in a data set's current order. For tables: the order key values and the row id; for queries: the
// ordinal of the row in the result.
struct Bookmark
{
    QVariantList key;
    qint64 id = -1;

    bool isValid() const { return id >= 0; }
    friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

// One row read for display, with the bookmark that reaches it.
struct RecordRow
{
    Bookmark bookmark;
    QVariantList values; // in the data set's field order
};

} // namespace db
