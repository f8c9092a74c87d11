#include "ListDirectory.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Param.h"
#include "platform/db/Session.h"
#include "platform/db/TableDef.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

#include <QDir>

namespace {

void createTable(const QString& path, const db::TableDef& definition, const std::vector<QVariantList>& rows)
{
    db::TableFile::create(path, definition);
    db::TableFile file(path, db::Session::defaultSession());
    db::TableLoad load(file);
    for (const QVariantList& row : rows)
        load.insert(row);
    load.commit();
}

} // namespace

ListDirectory::ListDirectory(const std::vector<Employee>& employees, const std::vector<Department>& departments)
{
    std::vector<QVariantList> employeeRows;
    for (const Employee& e : employees)
        employeeRows.push_back(
            { e.department, e.name, e.extension, e.cellular, e.pager, QString(), QString(), e.title });
    createTable(QDir(m_alias.folder()).filePath(DirectoryDatabase::EmployeeTable),
        DirectoryDatabase::employeeDefinition(), employeeRows);

    std::vector<QVariantList> departmentRows;
    for (const Department& d : departments)
        departmentRows.push_back({ d.department, d.mainExtension, d.faxNumber, d.address1, d.address2 });
    createTable(QDir(m_alias.folder()).filePath(DirectoryDatabase::DepartmentTable),
        DirectoryDatabase::departmentDefinition(), departmentRows);
}

std::unique_ptr<db::Query> ListDirectory::openEmployees(
    const QString& alias, const QStringList& lines, const QString& department)
{
    auto query = std::make_unique<db::Query>();
    query->setObjectName(QStringLiteral("QryEmployee"));
    query->setDatabaseName(alias);
    query->setSQL(QStringList { QStringLiteral("Select * "), QStringLiteral("FROM employee ") } + lines);
    if (query->ParamCount() > 0)
        query->Params(0).setAsString(department);
    query->Open();
    return query;
}

std::unique_ptr<db::Table> ListDirectory::openDepartments(const QString& alias)
{
    auto table = std::make_unique<db::Table>();
    table->setObjectName(QStringLiteral("TblSelectDepartment"));
    table->setDatabaseName(alias);
    table->setTableName(QStringLiteral("department.DB"));
    table->Open();
    return table;
}
