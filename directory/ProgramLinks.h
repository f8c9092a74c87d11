#pragma once

#include <QLatin1StringView>

// The names by which the directory program and its companion list printer find and start each other: each
// program's application title is also its main window's title, and the list printer runs only when started with
// the launch word as its first argument.
namespace ProgramLinks {

inline constexpr QLatin1StringView MainWindowCaption { "Ringfolio 2.5" };
inline constexpr QLatin1StringView CompanionWindowCaption { "Printroll for Ringfolio 2.5" };
inline constexpr QLatin1StringView LaunchToken { "Tesk" };
// Named as the shell named it; the shell drops ".exe" where programs have no such ending.
inline constexpr QLatin1StringView CompanionProgramFile { "Printroll.exe" };
// Looked up beside the program.
inline constexpr QLatin1StringView HelpFile { "Ringfolio.HLP" };

} // namespace ProgramLinks
