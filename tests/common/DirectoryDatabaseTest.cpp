#include "common/DirectoryDatabase.h"

#include "TemporaryAlias.h"

#include "platform/db/Session.h"
#include "platform/db/TableFile.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using namespace DirectoryDatabase;

QString describe(const db::TableDef& definition)
{
    QStringList fields;
    for (const db::FieldDef& field : definition.fields)
        fields << QStringLiteral("%1 %2 %3").arg(field.name, db::fieldTypeName(field.type)).arg(field.size);
    return fields.join(u", ");
}

TEST(DirectoryDatabaseTest, TablesHaveTheDocumentedFields)
{
    EXPECT_EQ(describe(employeeDefinition()),
        "Department Alpha 35, Name Alpha 35, Extension Alpha 35, Cellular Alpha 25, Pager Alpha 25, "
        "HomePhone Alpha 35, EMail Alpha 35, Title Alpha 35");
    EXPECT_EQ(describe(departmentDefinition()),
        "Department Alpha 35, MainExtension Alpha 35, FaxNumber Alpha 35, Address1 Alpha 35, Address2 Alpha 35");
    EXPECT_EQ(describe(auxiliarDefinition()), "PasswordValue Alpha 15");
    EXPECT_EQ(describe(specialDefinition()), "Number Alpha 15, Description Alpha 25");
    EXPECT_EQ(describe(reportDefinition()), "Name Alpha 35, ReportNumber Short 0, Area Alpha 20, Description Memo 0");

    // The browse order by name ignores case; the department page's order is led by Department.
    const db::TableDef employees = employeeDefinition();
    ASSERT_NE(employees.findIndex(ByNameIndex), nullptr);
    EXPECT_TRUE(employees.findIndex(ByNameIndex)->caseInsensitive);
    ASSERT_NE(employees.findIndex(ByNameExactIndex), nullptr);
    EXPECT_FALSE(employees.findIndex(ByNameExactIndex)->caseInsensitive);
    EXPECT_EQ(employees.primaryKey.value(0), "Department");
}

TEST(DirectoryDatabaseTest, EverySpellingReachesTheOneTableFile)
{
    const TemporaryAlias folder(Alias);
    db::Session session;
    session.AddPassword(TablePassword);

    const QList<QList<QLatin1StringView>> spellings {
        { EmployeeTable, EmployeeImportTable, EmployeeRenameTable, EmployeeQueryTable },
        { DepartmentTable, DepartmentImportTable },
        { AuxiliarTable, AuxiliarQueryTable },
        { ReportTable, ReportQueryTable },
        { DupTable, DupTableCopySource },
        { TempTable, TempTableCopyTarget },
    };
    for (const QList<QLatin1StringView>& names : spellings) {
        SCOPED_TRACE(names.first().data());
        const QString created = QDir(folder.folder()).filePath(names.first());
        db::TableFile::create(created, specialDefinition(), TablePassword);
        for (const QLatin1StringView name : names)
            EXPECT_EQ(QDir::cleanPath(session.tableFile(Alias, name)), QDir::cleanPath(created)) << name.data();
    }
}

} // namespace
