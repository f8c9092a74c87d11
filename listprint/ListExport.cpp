#include "listprint/ListExport.h"

#include "listprint/ExportName.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/os/OsError.h"
#include "platform/os/PlainFile.h"

#include <QFile>
#include <QScopeGuard>

#include <vector>

ListExport::ListExport(ExportColumns columns, ExportLineWriter::Format format)
    : m_columns(std::move(columns))
    , m_format(format)
{
}

qint64 ListExport::write(db::DataSet& rows, QIODevice& device, const QString& target) const
{
    const db::Field* const name = m_columns.splitsName ? &rows.FieldByName(QStringLiteral("Name")) : nullptr;
    std::vector<const db::Field*> fields;
    fields.reserve(static_cast<size_t>(m_columns.fields.size()));
    for (const QString& field : m_columns.fields)
        fields.push_back(&rows.FieldByName(field));

    ExportLineWriter writer(device, m_format, target);
    writer.writeLine(m_columns.titles);
    // Controls bound to the rows need not follow every one of them.
    rows.DisableControls();
    const auto enableControls = qScopeGuard([&rows] { rows.EnableControls(); });
    qint64 written = 0;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        if (name) {
            const QString stored = name->AsString();
            if (const std::optional<ExportName> split = ExportName::split(stored)) {
                writer.addValue(split->lastName);
                writer.addValue(split->firstName);
            } else if (m_columns.nameWithoutComma == ExportColumns::NameWithoutComma::Written) {
                writer.addValue(stored);
                writer.addValue(QStringView());
            } else {
                continue;
            }
        }
        for (const db::Field* const field : fields)
            writer.addValue(field->AsString());
        writer.endLine();
        ++written;
    }
    writer.flush();
    return written;
}

qint64 ListExport::writeFile(db::DataSet& rows, const QString& fileName) const
{
    // Asked before the open: a named pipe would hold Printroll until someone read it, and a device such as
    // /dev/zero or /dev/null would take the list without a trace.
    const QString refusal = os::notAPlainFile(fileName);
    if (!refusal.isEmpty())
        throw os::OsError(QStringLiteral("Cannot create \"%1\": %2").arg(fileName, refusal));
    QFile file(fileName);
    // Unbuffered: the writer gathers its own blocks, and a refused block is seen at once.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw os::OsError(QStringLiteral("Cannot create \"%1\": %2").arg(fileName, file.errorString()));
    return write(rows, file, fileName);
}
