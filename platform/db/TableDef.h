#pragma once

#include "platform/db/FieldDef.h"
#include "platform/db/IndexDef.h"

#include <QList>
#include <QStringList>

namespace db {

// The stored structure of a table: fields in stored order, primary key fields (may be empty), secondary indexes.
struct TableDef
{
    QList<FieldDef> fields;
    QStringList primaryKey;
    QList<IndexDef> indexes; // secondary only

    int fieldIndex(const QString& name) const; // -1 when absent; names compare without regard to case
    const IndexDef* findIndex(const QString& name) const; // secondary index by name, case-insensitive

    friend bool operator==(const TableDef&, const TableDef&) = default;
};

} // namespace db
