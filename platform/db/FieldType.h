#pragma once

#include <QString>

namespace db {

// Alpha n: text of up to n characters (n from 1 to maxAlphaSize); Short: 16-bit signed integer; Memo: text of any
// length.
enum class FieldType
{
    Alpha,
    Short,
    Memo,
};

// The widest Alpha field a table or a text file's schema may declare, and the size a query gives a result column
// whose type it does not know.
inline constexpr int maxAlphaSize = 255;

QString fieldTypeName(FieldType type);
FieldType fieldTypeFromName(const QString& name); // throws EngineError for an unknown name

} // namespace db
