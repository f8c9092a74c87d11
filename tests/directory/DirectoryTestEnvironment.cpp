#include "DirectoryTestEnvironment.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "platform/os/SettingsStore.h"
#include "setup/DirectoryInstaller.h"

#include <QDir>
#include <QFile>

namespace {

constexpr QLatin1StringView root { "HKEY_LOCAL_MACHINE" };
constexpr QLatin1StringView key { "Software\\Brenwick Software\\Ringfolio 2.5" };
constexpr QLatin1StringView section { "2.5" };
constexpr QLatin1StringView value { "Special Char" };

} // namespace

DirectoryTestEnvironment::DirectoryTestEnvironment(Content content)
    : m_alias(DirectoryDatabase::Alias, QStringLiteral("database"))
{
    for (const QString& folder : { settingsFolder(), programFolder() })
        QDir().mkpath(folder);
    // The programs take a runtime folder only when it is private to its owner.
    QDir().mkdir(runtimeFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setVariable("APP_SETTINGS_DIR", settingsFolder());
    setVariable("APP_RUNTIME_DIR", runtimeFolder());

    const DirectoryInstaller installer(databaseFolder());
    if (content == Content::Empty) {
        installer.install();
    } else {
        installer.installDemo();
    }
    if (content == Content::NoEmployeeTable)
        QFile::remove(QDir(databaseFolder()).filePath(DirectoryDatabase::EmployeeTable));
}

void DirectoryTestEnvironment::setVariable(const char* name, const QString& value)
{
    std::unique_ptr<ScopedEnvironmentVariable>& variable = m_variables[QByteArray(name)];
    if (variable)
        variable->set(value);
    else
        variable = std::make_unique<ScopedEnvironmentVariable>(QByteArray(name), value);
}

void DirectoryTestEnvironment::breakSettingsStore()
{
    // A file where the store's folder should be: nothing below it can be read or created.
    const QString blocker = path(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    file.open(QIODevice::WriteOnly);
    file.write("x");
    file.close();
    setVariable("APP_SETTINGS_DIR", blocker);
}

QString DirectoryTestEnvironment::savedPrefix(const QString& fallback) const
{
    return os::SettingsStore(root, key).readString(section, value, fallback);
}

void DirectoryTestEnvironment::savePrefix(const QString& prefix) const
{
    os::SettingsStore(root, key).writeString(section, value, prefix);
}
