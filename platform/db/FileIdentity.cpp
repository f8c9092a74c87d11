#include "platform/db/FileIdentity.h"

#include <QFileInfo>

namespace db {

QString canonicalFilePath(const QString& path)
{
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? info.absoluteFilePath() : resolved;
}

bool sameFile(const QString& a, const QString& b)
{
    return canonicalFilePath(a) == canonicalFilePath(b);
}

} // namespace db
