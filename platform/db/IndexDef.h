#pragma once

#include <QString>
#include <QStringList>

namespace db {

// One index of a table. The primary index is named "PRIMARY" and is unique; secondary indexes carry their own
// names ("ByName"). A case-insensitive index orders and matches text without regard to ASCII letter case.
struct IndexDef
{
    QString name;
    QStringList fields;
    bool unique = false;
    bool caseInsensitive = false;

    friend bool operator==(const IndexDef&, const IndexDef&) = default;
};

} // namespace db
