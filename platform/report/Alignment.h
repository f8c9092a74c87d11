#pragma once

namespace report {

// Where a text sits across its box.
enum class Alignment
{
    Left,
    Right,
    Center,
};

} // namespace report
