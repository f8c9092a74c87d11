#pragma once

#include <QString>

namespace os {

// What a path names, for a program about to read or write it as a file. Symbolic links are followed: a link to a
// named pipe is a named pipe. Missing also covers a link that leads nowhere and a path that cannot be looked at
// (no right to a folder on the way); opening it then fails and says why.
enum class FileKind
{
    Missing,
    Plain,
    Folder,
    NamedPipe,
    Device,
    Socket,
    Other,
};

FileKind fileKind(const QString& path);

// Why the path may not be opened as a plain file, in words for a message ("it is a named pipe, not a plain file");
// empty when it names a plain file, a link to one, or nothing (which an open creates or reports missing). Opening a
// named pipe waits for its other end and a device such as /dev/zero never ends, so callers ask before they open.
QString notAPlainFile(const QString& path);

} // namespace os
