#pragma once

#include "listprint/ExportColumns.h"
#include "listprint/ExportLineWriter.h"

#include <QString>

class QIODevice;

namespace db {
class DataSet;
}

// Writes a list's rows to an export file: the header line of its columns, then one line per row from the data
// set's first row to its end, in the data set's order. The data set is left after its last row.
class ListExport
{
public:
    ListExport(ExportColumns columns, ExportLineWriter::Format format);

    // Returns the number of rows written. Errors of the device raise an os::OsError naming `target`.
    qint64 write(db::DataSet& rows, QIODevice& device, const QString& target) const;
    // Creates the file, or empties and replaces it. A file that cannot be created, and anything but a plain file
    // (a named pipe, a device, a folder, or a link to one), raises an os::OsError naming it, and nothing is written;
    // a failure part way leaves the lines written before it in the file.
    qint64 writeFile(db::DataSet& rows, const QString& fileName) const;

private:
    const ExportColumns m_columns;
    const ExportLineWriter::Format m_format;
};
