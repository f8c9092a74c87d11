#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes as the whole file, replacing what it held; false when the file cannot be written.
bool writeFile(const QString& path, const QByteArray& bytes);
// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString& path);
