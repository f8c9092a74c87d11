#include "setup/ImportSchemas.h"

#include "common/DirectoryDatabase.h"
#include "setup/RowValues.h"
#include "setup/SetupError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ImportSchemas {
namespace {

struct WorkFile
{
    QLatin1StringView workName;
    db::TableDef definition;
    Layout layout;
};

QList<WorkFile> workFiles()
{
    using namespace DirectoryDatabase;
    return {
        { DepartmentDelimitedWorkName, departmentDefinition(), Layout::Delimited },
        { DepartmentFixedWorkName, departmentDefinition(), Layout::Fixed },
        { EmployeeDelimitedWorkName, employeeDefinition(), Layout::Delimited },
        { EmployeeFixedWorkName, employeeDefinition(), Layout::Fixed },
    };
}

// Sample rows: new records, and a few that repeat a key of the demo directory so that the import has
// duplicates to show.
QList<TDepartmentRec> sampleDepartments(Layout layout)
{
    if (layout == Layout::Delimited) {
        return {
            { "LEGAL", "4950", "(555) 010-4959", "Head Office, 5th Floor", "1200 Harbor Road" },
            { "PURCHASING", "4960 OR 4961", "(555) 010-4969", "Warehouse B, Office 2", "92 Foundry Street" },
            { "SALES", "(555) 010-4700 EXT 2", "(555) 010-4798", "Head Office, 4th Floor", "1200 Harbor Road" },
            { "RESEARCH \"BLUE SKY\" LAB", "4970 *", "", "Plant 2, Room 12", "88 Foundry Street" },
        };
    }
    return {
        { "SECURITY", "4980", "(555) 010-4989", "Gate House", "90 Foundry Street" },
        { "TRAINING", "4990; 4991", "", "Service Centre, Room 4", "14 Mill Lane" },
        { "ENGINEERING", "4300", "(555) 010-4398", "Plant 2", "88 Foundry Street" },
    };
}

QList<TEmployeeRec> sampleEmployees(Layout layout)
{
    if (layout == Layout::Delimited) {
        return {
            { "LEGAL", "NOVAK, TEREZA", "4951 *", "(555) 012-3395", "", "", "t.novak@harrowgate.example",
                "GENERAL COUNSEL" },
            { "LEGAL", QStringLiteral("PE\u00D1A, LUC\u00CDA"), "4952", "", "", "", "l.pena@harrowgate.example",
                "PARALEGAL" },
            { "PURCHASING", "O'BRIEN, KATHLEEN", "4961", "", "(555) 013-0096", "", "k.obrien@harrowgate.example",
                "DIRECTOR OF PURCHASING" },
            { "ACCOUNTING", "GRUBER, ANNA", "4103", "", "", "(555) 014-5513", "a.gruber@harrowgate.example",
                "SENIOR ACCOUNTANT" },
            { "SALES", "HUGHES, OWEN", "(555) 010-4700 EXT 704", "", "", "", "o.hughes@harrowgate.example",
                "SALES REPRESENTATIVE" },
        };
    }
    return {
        { "SECURITY", "MORGAN, DYLAN", "4981 OR 4982", "(555) 012-3398", "(555) 013-0098", "",
            "d.morgan@harrowgate.example", "SECURITY TEAM LEADER" },
        { "TRAINING", "SILVA, ANA", "4990", "", "", "", "a.silva@harrowgate.example", "TRAINER" },
        { "ENGINEERING", "OLSEN, INGRID", "4306", "", "", "", "i.olsen@harrowgate.example", "ENGINEER" },
    };
}

template <typename Row> QByteArray sampleFile(const QList<Row>& rows, const db::TableDef& definition, Layout layout)
{
    QByteArray text;
    for (const Row& row : rows)
        text += record(RowValues::texts(row), definition, layout) + "\r\n";
    return text;
}

} // namespace

QString schemaFileName(const QString& workName)
{
    QString name = workName;
    name.remove(u'\\');
    return QFileInfo(name).completeBaseName() + QStringLiteral(".SCH");
}

QByteArray schemaText(const QString& title, const db::TableDef& definition, Layout layout)
{
    const bool fixed = layout == Layout::Fixed;
    QByteArray text = fixed
        ? "; Fixed-width records: each field in a column as wide as the field, in this order.\r\n"
        : "; Delimited records: values separated by commas; a value that holds a comma or a quote\r\n"
          "; stands in double quotes, a quote inside it doubled.\r\n";
    text += '[' + title.toUtf8() + "]\r\n";
    text += fixed ? "filetype=fixed\r\n" : "filetype=delimited\r\nseparator=,\r\ndelimiter=\"\r\n";
    text += "charset=utf-8\r\n";
    int offset = 0;
    for (qsizetype i = 0; i < definition.fields.size(); ++i) {
        const db::FieldDef& field = definition.fields.at(i);
        text += "field" + QByteArray::number(i + 1) + '=' + field.name.toUtf8() + ','
            + db::fieldTypeName(field.type).toLower().toUtf8() + ',' + QByteArray::number(field.size);
        if (fixed) {
            text += ',' + QByteArray::number(offset);
            offset += field.size;
        }
        text += "\r\n";
    }
    return text;
}

QByteArray record(const QStringList& values, const db::TableDef& definition, Layout layout)
{
    if (values.size() != definition.fields.size()) {
        throw SetupError(
            QStringLiteral("A record of %1 values for %2 fields").arg(values.size()).arg(definition.fields.size()));
    }
    QByteArray line;
    line.reserve(layout == Layout::Fixed ? 300 : 160);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString& value = values.at(i);
        const db::FieldDef& field = definition.fields.at(i);
        if (field.type == db::FieldType::Alpha && value.size() > field.size)
            throw SetupError(QStringLiteral("'%1' does not fit field %2").arg(value, field.name));
        if (layout == Layout::Fixed) {
            line += value.toUtf8();
            line.append(field.size - value.size(), ' ');
        } else {
            if (i > 0)
                line += ',';
            line += '"';
            line += value.contains(u'"') ? value.toUtf8().replace("\"", "\"\"") : value.toUtf8();
            line += '"';
        }
    }
    return line;
}

void writeSchemas(const QString& programFolder)
{
    for (const WorkFile& work : workFiles()) {
        const QString fileName = schemaFileName(work.workName);
        writeFile(QDir(programFolder).filePath(fileName),
            schemaText(QFileInfo(fileName).completeBaseName(), work.definition, work.layout));
    }
}

QString samplesFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("samples"));
}

void writeSamples(const QString& programFolder)
{
    const QDir folder(samplesFolder(programFolder));
    if (!folder.mkpath(QStringLiteral(".")))
        throw SetupError(QStringLiteral("Cannot create the folder %1").arg(folder.path()));
    const db::TableDef departments = DirectoryDatabase::departmentDefinition();
    const db::TableDef employees = DirectoryDatabase::employeeDefinition();
    for (const Layout layout : { Layout::Delimited, Layout::Fixed }) {
        const QString suffix = layout == Layout::Fixed ? QStringLiteral("-fixed.txt") : QStringLiteral("-comma.txt");
        writeFile(folder.filePath(QStringLiteral("departments") + suffix),
            sampleFile(sampleDepartments(layout), departments, layout));
        writeFile(folder.filePath(QStringLiteral("employees") + suffix),
            sampleFile(sampleEmployees(layout), employees, layout));
    }
}

void writeFile(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        throw SetupError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

} // namespace ImportSchemas
