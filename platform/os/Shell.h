#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace os {

// The program file that a shell "open" of name starts: an absolute name as it is; otherwise the file beside the
// running program (programFolder), then on the search path (empty: $PATH). Where a name ending in ".exe" (any
// letter case) is not found as it is, the name without that ending is tried, since programs here have none.
// Empty when nothing is found.
QString findProgramFile(const QString& name, const QString& programFolder = QCoreApplication::applicationDirPath(),
    const QStringList& searchPath = {});

// Opens a file as the shell's "open" did: a program file found by findProgramFile is started detached, with the
// parameter text split into arguments as a command line is (quotes group, nothing is interpreted); any other
// file found there is a document and opens in the desktop's application for it. False when nothing was found or
// started; callers that follow the old shell ignore it.
bool shellOpen(const QString& file, const QString& parameters = {},
    const QString& programFolder = QCoreApplication::applicationDirPath());

} // namespace os
