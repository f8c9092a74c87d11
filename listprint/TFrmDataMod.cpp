#include "listprint/TFrmDataMod.h"

#include "common/DataModuleComponents.h"
#include "common/DirectoryDatabase.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using DataModuleComponents::databaseComponent;
using ui::component;

db::DataSource* sourceOf(QObject* owner, const char* name, db::DataSet* dataSet)
{
    auto* source = component<db::DataSource>(name, owner);
    source->setDataSet(dataSet);
    return source;
}

db::Query* catalogueQuery(QObject* owner)
{
    auto* query = databaseComponent<db::Query>("QryReport", owner);
    query->setSQL({ QStringLiteral("SELECT Name, ReportNumber, Area, Description"), QStringLiteral("FROM Report"),
        QStringLiteral("WHERE Area = :parmArea"), QStringLiteral("ORDER BY Name") });
    query->ParamByName(QStringLiteral("parmArea")).setAsString(QStringLiteral("Employee"));
    return query;
}

db::Table* departmentTable(QObject* owner)
{
    auto* table = databaseComponent<db::Table>("TblSelectDepartment", owner);
    table->setTableName(DirectoryDatabase::DepartmentTable);
    return table;
}

db::Query* employeeQuery(QObject* owner)
{
    auto* query = databaseComponent<db::Query>("QryEmployee", owner);
    // Never run as it stands: every list puts its own text in place first.
    query->setSQL({ QStringLiteral("SELECT *"), QStringLiteral("FROM employee"), QStringLiteral("ORDER BY Name") });
    return query;
}

db::Field* field(db::DataSet* dataSet, const char* name)
{
    return &dataSet->addField(QString::fromLatin1(name));
}

} // namespace

TFrmDataMod::TFrmDataMod(QObject* parent)
    : QObject(parent)
    , QryReport(catalogueQuery(this))
    , SrcQryReport(sourceOf(this, "SrcQryReport", QryReport))
    , TblSelectDepartment(departmentTable(this))
    , QryEmployee(employeeQuery(this))
    , SrcTblSelectDepartment(sourceOf(this, "SrcTblSelectDepartment", TblSelectDepartment))
    , QryReportName(field(QryReport, "Name"))
    , QryReportReportNumber(field(QryReport, "ReportNumber"))
    , QryReportArea(field(QryReport, "Area"))
    , QryReportDescription(field(QryReport, "Description"))
    , TblSelectDepartmentDepartment(field(TblSelectDepartment, "Department"))
    , TblSelectDepartmentMainExtension(field(TblSelectDepartment, "MainExtension"))
    , TblSelectDepartmentFaxNumber(field(TblSelectDepartment, "FaxNumber"))
    , TblSelectDepartmentAddress1(field(TblSelectDepartment, "Address1"))
    , TblSelectDepartmentAddress2(field(TblSelectDepartment, "Address2"))
    // The query selects every column; HomePhone and EMail stay out of its fields.
    , QryEmployeeName(field(QryEmployee, "Name"))
    , QryEmployeeExtension(field(QryEmployee, "Extension"))
    , QryEmployeeCellular(field(QryEmployee, "Cellular"))
    , QryEmployeePager(field(QryEmployee, "Pager"))
    , QryEmployeeTitle(field(QryEmployee, "Title"))
    , QryEmployeeDepartment(field(QryEmployee, "Department"))
{
    setObjectName(QStringLiteral("FrmDataMod"));
}

TFrmDataMod::~TFrmDataMod() = default;
