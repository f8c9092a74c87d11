#pragma once

#include <QString>

namespace db {

// Alpha n: text of up to n characters; Short: 16-bit signed integer; Memo: text of any length.
enum class FieldType
{
    Alpha,
    Short,
    Memo,
};

QString fieldTypeName(FieldType type);
FieldType fieldTypeFromName(const QString& name); // throws EngineError for an unknown name

} // namespace db
