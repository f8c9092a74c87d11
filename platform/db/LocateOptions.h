#pragma once

#include <QFlags>

namespace db {

enum class LocateOption
{
    CaseInsensitive = 0x1,
    PartialKey = 0x2, // the field begins with the value
};
Q_DECLARE_FLAGS(LocateOptions, LocateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

} // namespace db
