#pragma once

namespace report {

// Which tray a print takes its paper from.
enum class PaperBin
{
    First,
    Automatic,
};

} // namespace report
