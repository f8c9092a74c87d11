#pragma once

#include "platform/db/TableDef.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The import's text layouts: the four schema files that sit in the program folder under the base names of the
// import's work files, the sample files that show each layout, and the writing of records in those layouts.
// Delimited: values in double quotes, separated by commas. Fixed: each field in a column as wide as the field,
// in stored order. Both in UTF-8.
namespace ImportSchemas {

enum class Layout
{
    Delimited,
    Fixed,
};

QString schemaFileName(const QString& workName); // "\departcom.dll" -> "departcom.SCH"
QByteArray schemaText(const QString& title, const db::TableDef& definition, Layout layout);
QByteArray record(const QStringList& values, const db::TableDef& definition, Layout layout); // without line end

void writeSchemas(const QString& programFolder);
void writeSamples(const QString& programFolder); // into "samples" beside the schema files
QString samplesFolder(const QString& programFolder);

// Writes a file whole, or leaves what was there; SetupError naming the file on failure.
void writeFile(const QString& path, const QByteArray& contents);

} // namespace ImportSchemas
