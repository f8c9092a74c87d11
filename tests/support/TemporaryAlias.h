#pragma once

#include "ScopedEnvironmentVariable.h"

#include <QString>
#include <QTemporaryDir>

// A temporary folder thrown away with the test, and an alias naming a folder inside it through an alias
// configuration of the test's own (DBENGINE_CONFIG points at it while the object lives).
class TemporaryAlias
{
public:
    // `folderName` is the aliased folder below the temporary one; empty means the temporary folder itself.
    TemporaryAlias(const QString& alias, const QString& folderName = {});

    QString folder() const { return m_folder; }
    // A path in the temporary folder (not in the aliased one when that is a subfolder).
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString configPath() const { return path(QStringLiteral("config/aliases.ini")); }

private:
    QTemporaryDir m_dir;
    QString m_folder;
    ScopedEnvironmentVariable m_config;
};
