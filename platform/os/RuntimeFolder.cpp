#include "platform/os/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace os {

QString runtimeFolder()
{
    const QString configured = qEnvironmentVariable("APP_RUNTIME_DIR");
    if (!configured.isEmpty())
        return configured;
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/app-links");
}

bool ensureRuntimeFolder(const QString& folder)
{
    if (QDir(folder).exists())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    // Sockets and lock files of one user are no business of another.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

} // namespace os
