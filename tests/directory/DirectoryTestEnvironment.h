#pragma once

#include "ScopedEnvironmentVariable.h"
#include "TemporaryAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"
#include "setup/RowValues.h"

#include <QDir>
#include <QList>
#include <QString>

#include <map>
#include <memory>

// Everything a directory-program test works in, in one temporary folder thrown away with the test: the database
// folder named by the alias "Ringfolio 2.5" (through a private alias configuration), the settings store, the
// window links' folder and a program folder where the list printer is looked for. The environment variables that
// point there are put back when it ends.
class DirectoryTestEnvironment
{
public:
    enum class Content
    {
        Demo, // the demo directory
        Empty, // the five tables without departments or employees
        NoEmployeeTable, // the demo directory without employee.DB
    };

    explicit DirectoryTestEnvironment(Content content = Content::Demo);
    DirectoryTestEnvironment(const DirectoryTestEnvironment&) = delete;
    DirectoryTestEnvironment& operator=(const DirectoryTestEnvironment&) = delete;

    QString databaseFolder() const { return m_alias.folder(); }
    QString settingsFolder() const { return path(QStringLiteral("settings")); }
    QString runtimeFolder() const { return path(QStringLiteral("runtime")); }
    QString programFolder() const { return path(QStringLiteral("program")); }
    QString path(const QString& name) const { return m_alias.path(name); }
    QString tablePath(QLatin1StringView table) const { return QDir(databaseFolder()).filePath(table); }

    // Appends rows to a table of the directory in one transaction, as another program would.
    template <typename Row> void addRows(QLatin1StringView table, const QList<Row>& rows) const
    {
        db::Session session;
        session.AddPassword(DirectoryDatabase::TablePassword);
        const db::TableFile file(tablePath(table), session);
        db::TableLoad load(file);
        for (const Row& row : rows)
            load.insert(RowValues::of(row));
        load.commit();
    }

    // Points the settings store somewhere it cannot be read or written.
    void breakSettingsStore();
    // The remembered dial prefix as the store holds it; the default when none.
    QString savedPrefix(const QString& fallback = QStringLiteral("<none>")) const;
    void savePrefix(const QString& prefix) const;

    // Sets an environment variable until the environment ends.
    void setVariable(const char* name, const QString& value);

private:
    TemporaryAlias m_alias;
    std::map<QByteArray, std::unique_ptr<ScopedEnvironmentVariable>> m_variables;
};
