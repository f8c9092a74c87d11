#pragma once

namespace db {

enum class DataSetState
{
    Inactive,
    Browse,
    Edit,
    Insert,
};

} // namespace db
