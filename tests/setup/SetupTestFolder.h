#pragma once

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "platform/db/TableFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A temporary folder that the alias names (through a private alias configuration) and a session holding the
// table password.
class SetupTestFolder
{
public:
    SetupTestFolder()
    {
        const QString config = m_dir.filePath("aliases.ini");
        qputenv("DBENGINE_CONFIG", config.toUtf8());
        QDir().mkpath(path());
        db::Session::writeAlias(DirectoryDatabase::Alias, path(), config);
        m_session.AddPassword(DirectoryDatabase::TablePassword);
    }

    QString path() const { return m_dir.filePath("directory"); }
    QString file(const QString& name) const { return QDir(path()).filePath(name); }
    db::Session& session() { return m_session; }

    std::unique_ptr<db::TableFile> open(const QString& table)
    {
        return std::make_unique<db::TableFile>(file(table), m_session);
    }

private:
    QTemporaryDir m_dir;
    db::Session m_session;
};
