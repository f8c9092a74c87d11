#include "setup/ImportSchemas.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/TextTableReader.h"
#include "setup/DemoDirectory.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace DirectoryDatabase;

struct WorkFile
{
    QLatin1StringView workName;
    db::TableDef destination;
    db::TextSchema::Layout layout;
    const char* sample;
};

QList<WorkFile> workFiles()
{
    return {
        { DepartmentDelimitedWorkName, departmentDefinition(), db::TextSchema::Layout::Delimited,
            "departments-comma.txt" },
        { DepartmentFixedWorkName, departmentDefinition(), db::TextSchema::Layout::Fixed, "departments-fixed.txt" },
        { EmployeeDelimitedWorkName, employeeDefinition(), db::TextSchema::Layout::Delimited, "employees-comma.txt" },
        { EmployeeFixedWorkName, employeeDefinition(), db::TextSchema::Layout::Fixed, "employees-fixed.txt" },
    };
}

// Where the import copies the chosen file: the program folder and the work name.
QString workPath(const QString& programFolder, QLatin1StringView workName)
{
    return QDir(programFolder).filePath(QString(workName).remove(u'\\'));
}

TEST(ImportSchemasTest, SchemaFilesDescribeTheDestinationFieldsInOrder)
{
    QTemporaryDir folder;
    ImportSchemas::writeSchemas(folder.path());

    for (const WorkFile& work : workFiles()) {
        SCOPED_TRACE(work.workName.data());
        const QString schemaPath = db::TextSchema::schemaPathFor(workPath(folder.path(), work.workName));
        const db::TextSchema schema = db::TextSchema::load(schemaPath);
        EXPECT_EQ(schema.layout, work.layout);
        EXPECT_EQ(schema.definition.fields, work.destination.fields);
    }
}

TEST(ImportSchemasTest, SamplesReadWithoutProblemsAndRepeatSomeDemoKeys)
{
    QTemporaryDir folder;
    ImportSchemas::writeSchemas(folder.path());
    ImportSchemas::writeSamples(folder.path());
    QSet<QString> demoKeys;
    for (const TDepartmentRec& row : DemoDirectory::departments())
        demoKeys.insert(row.Department);
    for (const TEmployeeRec& row : DemoDirectory::employees())
        demoKeys.insert(row.Department + u'|' + row.Name);

    for (const WorkFile& work : workFiles()) {
        SCOPED_TRACE(work.sample);
        const QString schemaPath = db::TextSchema::schemaPathFor(workPath(folder.path(), work.workName));
        db::TextTableReader reader(
            QDir(ImportSchemas::samplesFolder(folder.path())).filePath(work.sample), db::TextSchema::load(schemaPath));
        int repeated = 0;
        int fresh = 0;
        QVariantList row;
        while (reader.next(row)) {
            const bool employee = row.size() == 8;
            const QString key = employee ? row.at(0).toString() + u'|' + row.at(1).toString() : row.at(0).toString();
            (demoKeys.contains(key) ? repeated : fresh) += 1;
        }
        EXPECT_EQ(reader.problemCount(), 0) << reader.lastProblem().toStdString();
        EXPECT_GE(repeated, 1);
        EXPECT_GE(fresh, 2);
    }
}

} // namespace
