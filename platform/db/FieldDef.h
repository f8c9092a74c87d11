#pragma once

#include "platform/db/FieldType.h"

#include <QString>

namespace db {

// One field of a table's stored structure.
struct FieldDef
{
    QString name;
    FieldType type = FieldType::Alpha;
    int size = 0; // characters for Alpha; 0 for Short and Memo

    friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

} // namespace db
