#include "platform/os/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace os {

namespace {

QString findAs(const QString& name, const QString& programFolder, const QStringList& searchPath)
{
    if (QFileInfo(name).isAbsolute())
        return QFileInfo(name).isFile() ? name : QString();
    const QFileInfo beside(QDir(programFolder), name);
    if (beside.isFile())
        return beside.absoluteFilePath();
    if (name.contains(QLatin1Char('/')))
        return {};
    return searchPath.isEmpty() ? QStandardPaths::findExecutable(name)
                                : QStandardPaths::findExecutable(name, searchPath);
}

} // namespace

QString findProgramFile(const QString& name, const QString& programFolder, const QStringList& searchPath)
{
    if (name.isEmpty())
        return {};
    const QString found = findAs(name, programFolder, searchPath);
    if (!found.isEmpty() || !name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return found;
    return findAs(name.chopped(4), programFolder, searchPath);
}

bool shellOpen(const QString& file, const QString& parameters, const QString& programFolder)
{
    const QString path = findProgramFile(file, programFolder);
    if (path.isEmpty())
        return false;
    if (!QFileInfo(path).isExecutable())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return QProcess::startDetached(path, QProcess::splitCommand(parameters));
}

} // namespace os
