#include "platform/os/SettingsStore.h"

#include "platform/os/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace os {

namespace {

// Key names become folder names; empty, "." and ".." parts are dropped so that no key leads outside the folder.
QStringList pathParts(const QString& keyPath)
{
    QStringList parts;
    for (const QString& part :
        QString(keyPath).replace(QLatin1Char('/'), QLatin1Char('\\')).split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (part != QLatin1String(".") && part != QLatin1String(".."))
            parts.append(part);
    }
    return parts;
}

std::optional<IniDocument> readDocument(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IniDocument::parse(file.readAll());
}

} // namespace

SettingsStore::SettingsStore(const QString& root, const QString& keyPath, const QString& folder)
{
    QStringList parts = pathParts(root) + pathParts(keyPath);
    if (parts.isEmpty())
        parts.append(QStringLiteral("settings"));
    m_filePath = folder + QLatin1Char('/') + parts.join(QLatin1Char('/')) + QLatin1String(".ini");
}

QString SettingsStore::defaultFolder()
{
    const QString configured = qEnvironmentVariable("APP_SETTINGS_DIR");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString SettingsStore::readString(const QString& section, const QString& name, const QString& defaultValue) const
{
    const std::optional<IniDocument> doc = readDocument(m_filePath);
    if (!doc)
        return defaultValue;
    return doc->value(section, name).value_or(defaultValue);
}

bool SettingsStore::writeString(const QString& section, const QString& name, const QString& value) const
{
    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    // An existing file that cannot be read is not replaced: its other values would be lost.
    std::optional<IniDocument> doc = info.exists() ? readDocument(m_filePath) : IniDocument();
    if (!doc)
        return false;
    doc->setValue(section, name, value);
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(doc->serialize());
    return file.commit();
}

} // namespace os
