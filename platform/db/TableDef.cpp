#include "platform/db/TableDef.h"

namespace db {

int TableDef::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const IndexDef* TableDef::findIndex(const QString& name) const
{
    for (const IndexDef& index : indexes) {
        if (index.name.compare(name, Qt::CaseInsensitive) == 0)
            return &index;
    }
    return nullptr;
}

} // namespace db
