#include "TemporaryAlias.h"

#include "platform/db/Session.h"

#include <QDir>

TemporaryAlias::TemporaryAlias(const QString& alias, const QString& folderName)
    : m_folder(folderName.isEmpty() ? m_dir.path() : m_dir.filePath(folderName))
    , m_config("DBENGINE_CONFIG", configPath())
{
    QDir().mkpath(m_folder);
    db::Session::writeAlias(alias, m_folder, configPath());
}
