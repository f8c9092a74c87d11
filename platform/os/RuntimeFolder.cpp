#include "platform/os/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace os {

namespace {

Q_LOGGING_CATEGORY(lcRuntimeFolder, "platform.os.runtime", QtWarningMsg)

// Why the folder at path, as lstat saw it, is not this user's private folder; empty when it is.
QString refusal(const struct stat& status)
{
    if (S_ISLNK(status.st_mode))
        return QStringLiteral("it is a symbolic link");
    if (!S_ISDIR(status.st_mode))
        return QStringLiteral("it is not a folder");
    if (status.st_uid != ::geteuid())
        return QStringLiteral("it belongs to user id %1").arg(status.st_uid);
    if ((status.st_mode & 0777) != 0700)
        return QStringLiteral("its mode is %1, not 700").arg(status.st_mode & 0777, 3, 8, QLatin1Char('0'));
    return {};
}

} // namespace

QString runtimeFolder()
{
    const QString configured = qEnvironmentVariable("APP_RUNTIME_DIR");
    if (!configured.isEmpty())
        return configured;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!base.isEmpty())
        return base + QStringLiteral("/app-links");
    // A name of this user's own: another user who takes the shared name silences nobody but may take this one,
    // which ensureRuntimeFolder then refuses.
    return QDir::tempPath() + QStringLiteral("/app-links-%1").arg(::geteuid());
}

bool ensureRuntimeFolder(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    // Without a trailing slash, lstat looks at a link itself rather than at what it leads to.
    const QString cleaned = QDir::cleanPath(folder);
    const QByteArray path = QFile::encodeName(cleaned);
    // Created by this process with its final mode, or, when it was there already, taken only after lstat has
    // shown it to be this user's own and closed to others: no moment in which it is open to another user.
    if (::mkdir(path.constData(), 0700) != 0 && errno == ENOENT) {
        const QString parent = QFileInfo(cleaned).path();
        if (QDir().mkpath(parent))
            ::mkdir(path.constData(), 0700);
    }
    struct stat status = {};
    if (::lstat(path.constData(), &status) != 0)
        return false;
    const QString refused = refusal(status);
    if (refused.isEmpty())
        return true;
    qCWarning(lcRuntimeFolder, "Not using the runtime folder %s for locks and window links: %s", qPrintable(cleaned),
        qPrintable(refused));
    return false;
}

} // namespace os
