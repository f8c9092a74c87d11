#include "DirectoryTestEnvironment.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "platform/os/SettingsStore.h"
#include "setup/DirectoryInstaller.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

constexpr QLatin1StringView root { "HKEY_LOCAL_MACHINE" };
constexpr QLatin1StringView key { "Software\\Brenwick Software\\Ringfolio 2.5" };
constexpr QLatin1StringView section { "2.5" };
constexpr QLatin1StringView value { "Special Char" };

} // namespace

DirectoryTestEnvironment::DirectoryTestEnvironment(Content content)
{
    for (const QString& folder : { databaseFolder(), settingsFolder(), runtimeFolder(), programFolder() })
        QDir().mkpath(folder);
    const QString aliases = path(QStringLiteral("aliases.ini"));
    setVariable("DBENGINE_CONFIG", aliases);
    setVariable("APP_SETTINGS_DIR", settingsFolder());
    setVariable("APP_RUNTIME_DIR", runtimeFolder());
    db::Session::writeAlias(DirectoryDatabase::Alias, databaseFolder(), aliases);

    const DirectoryInstaller installer(databaseFolder());
    if (content == Content::Empty) {
        installer.install();
    } else {
        installer.installDemo();
    }
    if (content == Content::NoEmployeeTable)
        QFile::remove(QDir(databaseFolder()).filePath(DirectoryDatabase::EmployeeTable));
}

DirectoryTestEnvironment::~DirectoryTestEnvironment()
{
    for (auto saved = m_saved.rbegin(); saved != m_saved.rend(); ++saved) {
        if (saved->wasSet)
            qputenv(saved->name, saved->value);
        else
            qunsetenv(saved->name);
    }
}

void DirectoryTestEnvironment::setVariable(const char* name, const QString& value)
{
    const bool known = std::any_of(
        m_saved.begin(), m_saved.end(), [name](const SavedVariable& saved) { return qstrcmp(saved.name, name) == 0; });
    if (!known)
        m_saved.push_back({ name, qEnvironmentVariableIsSet(name), qgetenv(name) });
    qputenv(name, value.toLocal8Bit());
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
