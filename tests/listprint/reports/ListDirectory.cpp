#include "ListDirectory.h"

#include "platform/db/Session.h"
#include "platform/db/TableDef.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

namespace {

constexpr const char* configVariable = "DBENGINE_CONFIG";

db::TableDef alphaTable(const QStringList& fields)
{
    db::TableDef definition;
    for (const QString& name : fields)
        definition.fields.append(db::FieldDef { name, db::FieldType::Alpha, 35 });
    return definition;
}

} // namespace

ListDirectory::ListDirectory(const std::vector<Employee>& employees, const std::vector<Department>& departments)
    : m_oldConfig(qgetenv(configVariable))
    , m_hadConfig(qEnvironmentVariableIsSet(configVariable))
{
    const QString config = m_folder.filePath(QStringLiteral("aliases.ini"));
    qputenv(configVariable, config.toLocal8Bit());
    db::Session::writeAlias(QString::fromLatin1(alias), m_folder.path(), config);

    const QString employeePath = m_folder.filePath(QStringLiteral("employee.DB"));
    db::TableFile::create(employeePath,
        alphaTable({ "Department", "Name", "Extension", "Cellular", "Pager", "HomePhone", "EMail", "Title" }));
    db::TableFile employeeFile(employeePath, db::Session::defaultSession());
    db::TableLoad employeeLoad(employeeFile);
    for (const Employee& e : employees)
        employeeLoad.insert({ e.department, e.name, e.extension, e.cellular, e.pager, QString(), QString(), e.title });
    employeeLoad.commit();

    const QString departmentPath = m_folder.filePath(QStringLiteral("department.DB"));
    db::TableFile::create(
        departmentPath, alphaTable({ "Department", "MainExtension", "FaxNumber", "Address1", "Address2" }));
    db::TableFile departmentFile(departmentPath, db::Session::defaultSession());
    db::TableLoad departmentLoad(departmentFile);
    for (const Department& d : departments)
        departmentLoad.insert({ d.department, d.mainExtension, d.faxNumber, d.address1, d.address2 });
    departmentLoad.commit();
}

ListDirectory::~ListDirectory()
{
    if (m_hadConfig)
        qputenv(configVariable, m_oldConfig);
    else
        qunsetenv(configVariable);
}

std::unique_ptr<db::Query> ListDirectory::employees() const
{
    auto query = std::make_unique<db::Query>();
    query->setObjectName(QStringLiteral("QryEmployee"));
    query->setDatabaseName(QString::fromLatin1(alias));
    query->setSQL({ QStringLiteral("Select * "), QStringLiteral("FROM employee "), QStringLiteral("ORDER BY Name") });
    query->Open();
    return query;
}

std::unique_ptr<db::Table> ListDirectory::departments() const
{
    auto table = std::make_unique<db::Table>();
    table->setObjectName(QStringLiteral("TblSelectDepartment"));
    table->setDatabaseName(QString::fromLatin1(alias));
    table->setTableName(QStringLiteral("department.DB"));
    table->Open();
    return table;
}
