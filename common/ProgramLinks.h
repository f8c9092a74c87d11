#pragma once

#include <QLatin1StringView>

// The names by which the directory program and its list printer find and start each other: each program's
// application title is also its main window's title, and the list printer runs only when started with the launch
// word as its first argument. Program files are named as the shell named them; it drops ".exe" where programs
// have no such ending.
namespace ProgramLinks {

inline constexpr QLatin1StringView MainWindowCaption { "Ringfolio 2.5" };
inline constexpr QLatin1StringView CompanionWindowCaption { "Printroll for Ringfolio 2.5" };
inline constexpr QLatin1StringView LaunchToken { "Tesk" };
inline constexpr QLatin1StringView CompanionProgramFile { "Printroll.exe" };
inline constexpr QLatin1StringView DirectoryProgramFile { "Ringfolio.exe" };

// Each program's help file: the directory's beside the program, the list printer's by the absolute path of the
// installation it came from.
inline constexpr QLatin1StringView DirectoryHelpFile { "Ringfolio.HLP" };
inline constexpr QLatin1StringView ListPrinterHelpFile { "C:\\Ringfolio\\Help\\WINHELP\\RINGFOLIO.HLP" };

} // namespace ProgramLinks
