#pragma once

#include <QString>
#include <QStringList>

namespace db {

class LinkedWrite;

// A database session: the table passwords it holds and the alias configuration it reads. Each program works
// through the default session.
//
// Aliases: the configuration file (DBENGINE_CONFIG, else $XDG_CONFIG_HOME/dbengine/aliases.ini, else
// ~/.config/dbengine/aliases.ini) has lines "name=folder" under "[Aliases]". An alias the configuration does not
// name means the folder of the running program.
class Session
{
public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    static Session& defaultSession();

    void AddPassword(const QString& password);
    void RemovePassword(const QString& password);
    void RemoveAllPasswords();
    const QStringList& passwords() const { return m_passwords; }

    // The folder an alias names; EngineError when it does not exist.
    QString aliasFolder(const QString& alias) const;
    // Where a name points in the alias folder, as written (no extension added, letter case as given): an absolute
    // name stands for itself, a "\"-led one is taken relative to the folder.
    QString aliasPath(const QString& alias, const QString& tableName) const;
    // The file a table name means in the alias folder: names compare without regard to case and a name without
    // extension means "<name>.DB". An absolute or "\"-led name is taken relative to the root or the folder.
    // When no file matches, the path the name would create is returned.
    QString tableFile(const QString& alias, const QString& tableName) const;

    // The write transaction a table's post holds open while its AfterPost handler runs (Table::setLinkedTables);
    // queries executed meanwhile on the files it covers join it. Null when there is none.
    const LinkedWrite* openWrite() const { return m_openWrite; }
    void setOpenWrite(const LinkedWrite* write) { m_openWrite = write; }

    static QString aliasConfigPath();
    static void writeAlias(const QString& alias, const QString& folder, const QString& configPath = aliasConfigPath());

private:
    QStringList m_passwords;
    const LinkedWrite* m_openWrite = nullptr;
};

} // namespace db
