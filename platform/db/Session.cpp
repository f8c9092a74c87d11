#include "platform/db/Session.h"

#include "platform/db/EngineError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace db {
namespace {

const QString AliasSection = QStringLiteral("Aliases");

bool isSectionLine(const QString& line, QString& name)
{
    if (!line.startsWith(u'[') || !line.endsWith(u']'))
        return false;
    name = line.mid(1, line.size() - 2).trimmed();
    return true;
}

bool isComment(const QString& line)
{
    return line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#');
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

// The folder an alias names in the configuration, or a null string when it names none.
QString configuredFolder(const QString& alias)
{
    bool inAliases = false;
    for (const QString& raw : readLines(Session::aliasConfigPath())) {
        const QString line = raw.trimmed();
        QString section;
        if (isSectionLine(line, section)) {
            inAliases = section.compare(AliasSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inAliases || isComment(line))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && line.left(equals).trimmed().compare(alias, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

} // namespace

Session& Session::defaultSession()
{
    static Session session;
    return session;
}

void Session::AddPassword(const QString& password)
{
    if (!m_passwords.contains(password))
        m_passwords.append(password);
}

void Session::RemovePassword(const QString& password)
{
    m_passwords.removeAll(password);
}

void Session::RemoveAllPasswords()
{
    m_passwords.clear();
}

QString Session::aliasFolder(const QString& alias) const
{
    QString folder = configuredFolder(alias);
    if (folder.isEmpty())
        folder = programFolder();
    const QFileInfo place(folder);
    if (place.exists() && !place.isDir()) {
        throw EngineError(
            QStringLiteral("Alias '%1' names %2, which is not a folder").arg(alias, QDir::toNativeSeparators(folder)));
    }
    if (!place.isDir()) {
        throw EngineError(QStringLiteral("Alias '%1' names the folder %2, which does not exist")
                              .arg(alias, QDir::toNativeSeparators(folder)));
    }
    return QDir::cleanPath(folder);
}

QString Session::aliasPath(const QString& alias, const QString& tableName) const
{
    QString name = tableName.trimmed();
    QString path;
    if (name.startsWith(u'\\')) {
        while (name.startsWith(u'\\'))
            name.remove(0, 1);
        name.replace(u'\\', u'/');
        path = aliasFolder(alias) + u'/' + name;
    } else {
        name.replace(u'\\', u'/');
        path = QDir::isAbsolutePath(name) ? name : aliasFolder(alias) + u'/' + name;
    }
    return QDir::cleanPath(path);
}

QString Session::tableFile(const QString& alias, const QString& tableName) const
{
    const QFileInfo info(aliasPath(alias, tableName));
    const QString folder = info.absolutePath();
    QString fileName = info.fileName();
    if (info.suffix().isEmpty())
        fileName += QStringLiteral(".DB");
    const QString exact = folder + u'/' + fileName;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + u'/' + entry;
    }
    return exact;
}

QString Session::aliasConfigPath()
{
    const QString configured = qEnvironmentVariable("DBENGINE_CONFIG");
    if (!configured.isEmpty())
        return configured;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/dbengine/aliases.ini");
}

void Session::writeAlias(const QString& alias, const QString& folder, const QString& configPath)
{
    QStringList lines = readLines(configPath);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    const QString entry = alias + u'=' + folder;
    qsizetype sectionEnd = -1; // the line after the last line of the alias section
    bool inAliases = false;
    bool written = false;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        const QString line = lines.at(i).trimmed();
        QString section;
        if (isSectionLine(line, section)) {
            inAliases = section.compare(AliasSection, Qt::CaseInsensitive) == 0;
            if (inAliases)
                sectionEnd = i + 1;
            continue;
        }
        if (!inAliases)
            continue;
        if (!isComment(line))
            sectionEnd = i + 1;
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && line.left(equals).trimmed().compare(alias, Qt::CaseInsensitive) == 0) {
            lines[i] = entry;
            written = true;
        }
    }
    if (!written) {
        if (sectionEnd < 0) {
            if (!lines.isEmpty())
                lines.append(QString());
            lines.append(u'[' + AliasSection + u']');
            lines.append(entry);
        } else {
            lines.insert(sectionEnd, entry);
        }
    }

    const QFileInfo info(configPath);
    if (!QDir().mkpath(info.absolutePath())) {
        throw EngineError(QStringLiteral("Cannot write the alias configuration %1: cannot create its folder")
                              .arg(QDir::toNativeSeparators(configPath)));
    }
    QSaveFile file(configPath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write((lines.join(u'\n') + u'\n').toUtf8());
        if (file.commit())
            return;
    }
    throw EngineError(QStringLiteral("Cannot write the alias configuration %1: %2")
                          .arg(QDir::toNativeSeparators(configPath), file.errorString()));
}

} // namespace db
