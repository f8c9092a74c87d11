#pragma once

#include <QLatin1StringView>

// The names by which Printroll and the directory program find and start each other, and Printroll's help file.
namespace ProgramNames {

// The directory program's application title and main window caption.
inline constexpr QLatin1StringView MainWindowCaption { "Ringfolio 2.5" };
// Printroll's application title and main window caption, by which the directory program finds it.
inline constexpr QLatin1StringView CompanionWindowCaption { "Printroll for Ringfolio 2.5" };
// The one argument with which the directory program starts Printroll; without it Printroll closes at once.
inline constexpr QLatin1StringView LaunchToken { "Tesk" };
// The directory program's file, started through the shell when its window is not there.
inline constexpr QLatin1StringView DirectoryProgramFile { "Ringfolio.exe" };
// Printroll's help file, named by an absolute path of the installation it came from.
inline constexpr QLatin1StringView HelpFile { "C:\\Ringfolio\\Help\\WINHELP\\RINGFOLIO.HLP" };

} // namespace ProgramNames
