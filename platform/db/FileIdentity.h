#pragma once

#include <QString>

namespace db {

// The file a path names, links resolved where the file exists, so that two spellings of one file compare equal.
QString canonicalFilePath(const QString& path);
bool sameFile(const QString& a, const QString& b);

} // namespace db
