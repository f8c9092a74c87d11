#include "platform/os/PlainFile.h"

#include <QFile>

#include <sys/stat.h>

namespace os {

FileKind fileKind(const QString& path)
{
    struct stat status = {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return FileKind::Missing;
    if (S_ISREG(status.st_mode))
        return FileKind::Plain;
    if (S_ISDIR(status.st_mode))
        return FileKind::Folder;
    if (S_ISFIFO(status.st_mode))
        return FileKind::NamedPipe;
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        return FileKind::Device;
    if (S_ISSOCK(status.st_mode))
        return FileKind::Socket;
    return FileKind::Other;
}

QString notAPlainFile(const QString& path)
{
    switch (fileKind(path)) {
    case FileKind::Missing:
    case FileKind::Plain:
        return {};
    case FileKind::Folder:
        return QStringLiteral("it is a folder, not a plain file");
    case FileKind::NamedPipe:
        return QStringLiteral("it is a named pipe, not a plain file");
    case FileKind::Device:
        return QStringLiteral("it is a device, not a plain file");
    case FileKind::Socket:
        return QStringLiteral("it is a socket, not a plain file");
    case FileKind::Other:
        break;
    }
    return QStringLiteral("it is not a plain file");
}

} // namespace os
