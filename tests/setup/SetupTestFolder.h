#pragma once

#include "TemporaryAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "platform/db/TableFile.h"

#include <QDir>

#include <memory>

// A temporary folder that the alias names (through a private alias configuration) and a session holding the
// table password.
class SetupTestFolder
{
public:
    SetupTestFolder() { m_session.AddPassword(DirectoryDatabase::TablePassword); }

    QString path() const { return m_alias.folder(); }
    QString file(const QString& name) const { return QDir(path()).filePath(name); }
    db::Session& session() { return m_session; }

    std::unique_ptr<db::TableFile> open(const QString& table)
    {
        return std::make_unique<db::TableFile>(file(table), m_session);
    }

private:
    TemporaryAlias m_alias { DirectoryDatabase::Alias, QStringLiteral("directory") };
    db::Session m_session;
};
