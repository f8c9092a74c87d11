#include "directory/TfrmDataMod.h"

#include "common/DataModuleComponents.h"
#include "common/DirectoryDatabase.h"
#include "platform/db/BatchMove.h"
#include "platform/db/DataSource.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using DataModuleComponents::databaseComponent;
using ui::component;

db::DataSource* sourceOf(QObject* owner, const char* name, db::DataSet* dataSet, bool autoEdit)
{
    auto* source = component<db::DataSource>(name, owner);
    source->setDataSet(dataSet);
    source->setAutoEdit(autoEdit);
    return source;
}

struct FieldSetting
{
    const char* name;
    const char* label = nullptr;
    int width = 0;
    bool required = false;
    bool visible = true;
};

void addFields(db::DataSet& dataSet, std::initializer_list<FieldSetting> settings)
{
    for (const FieldSetting& setting : settings) {
        db::Field& field = dataSet.addField(QString::fromLatin1(setting.name));
        if (setting.label)
            field.setDisplayLabel(QString::fromLatin1(setting.label));
        if (setting.width > 0)
            field.setDisplayWidth(setting.width);
        field.setRequired(setting.required);
        field.setVisible(setting.visible);
    }
}

} // namespace

TfrmDataMod::TfrmDataMod(QObject* parent)
    : QObject(parent)
    , TblDepartment(databaseComponent<db::Table>("TblDepartment", this))
    , SrcDepartment(sourceOf(this, "SrcDepartment", TblDepartment, false))
    , TblEmployee2(databaseComponent<db::Table>("TblEmployee2", this))
    , SrcEmployee2(sourceOf(this, "SrcEmployee2", TblEmployee2, false))
    , TblEmployee1(databaseComponent<db::Table>("TblEmployee1", this))
    , SrcEmployee1(sourceOf(this, "SrcEmployee1", TblEmployee1, false))
    , QryEmployee(databaseComponent<db::Query>("QryEmployee", this))
    , QryDepartment(databaseComponent<db::Query>("QryDepartment", this))
    , TblAuxiliar(databaseComponent<db::Table>("TblAuxiliar", this))
    , QryAuxiliar(databaseComponent<db::Query>("QryAuxiliar", this))
    , TblEditDepartment(databaseComponent<db::Table>("TblEditDepartment", this))
    , QryEditMaster(databaseComponent<db::Query>("QryEditMaster", this))
    , SourceTable(databaseComponent<db::Table>("SourceTable", this))
    , BatchMove1(component<db::BatchMove>("BatchMove1", this))
    , DestTable(databaseComponent<db::Table>("DestTable", this))
    , TblDupTable(databaseComponent<db::Table>("TblDupTable", this))
    , TblSpecial(databaseComponent<db::Table>("TblSpecial", this))
    , SrcSpecial(sourceOf(this, "SrcSpecial", TblSpecial, true))
{
    setObjectName(QStringLiteral("frmDataMod"));
    defineDepartmentTables();
    defineDepartmentEditor();
    defineEmployeeTables();
    defineLetterListQueries();
    definePasswordObjects();
    defineImportObjects();
    defineSpecialTable();
}

TfrmDataMod::~TfrmDataMod() = default;

void TfrmDataMod::defineDepartmentTables()
{
    TblDepartment->setTableName(DirectoryDatabase::DepartmentTable);
    TblDepartment->setIndexFieldNames(QStringLiteral("Department"));
    addFields(*TblDepartment,
        { { "Department", nullptr, 25 }, { "MainExtension" }, { "FaxNumber" }, { "Address1" }, { "Address2" } });
}

void TfrmDataMod::defineEmployeeTables()
{
    TblEmployee2->setTableName(DirectoryDatabase::EmployeeTable);
    TblEmployee2->setIndexFieldNames(QStringLiteral("Department"));
    TblEmployee2->setMasterSource(SrcDepartment);
    TblEmployee2->setMasterFields(QStringLiteral("Department"));
    addFields(*TblEmployee2,
        { { "Name", nullptr, 20, true }, { "Extension", "Phone/Ext.", 16 }, { "Pager", "Pager No.", 14 },
            { "Cellular", "Cellular No.", 14 }, { "HomePhone", "Home Phone", 14 }, { "EMail" },
            { "Title", nullptr, 41 }, { "Department", nullptr, 23, false, false } });

    TblEmployee1->setTableName(DirectoryDatabase::EmployeeTable);
    TblEmployee1->setIndexName(DirectoryDatabase::ByNameIndex);
    addFields(*TblEmployee1,
        { { "Department", nullptr, 0, true }, { "Name", nullptr, 0, true }, { "Extension", nullptr, 25, true },
            { "Cellular", "Cellular Number", 25 }, { "Pager", "Pager Number", 25 }, { "HomePhone", "Home Phone" },
            { "EMail" }, { "Title" } });
}

void TfrmDataMod::defineLetterListQueries()
{
    QryEmployee->setSQL({ QStringLiteral("SELECT DISTINCT Name, Extension"), QStringLiteral("FROM \"employee.DB\" "),
        QStringLiteral("WHERE Name LIKE  :LastFirstName"), QStringLiteral("ORDER BY Name, Extension") });
    addFields(*QryEmployee, { { "Name" }, { "Extension", nullptr, 17 } });

    QryDepartment->setSQL({ QStringLiteral("SELECT Department"), QStringLiteral("FROM \"department.DB\" "),
        QStringLiteral("WHERE Department LIKE :DepartName") });
    addFields(*QryDepartment, { { "Department" } });
}

void TfrmDataMod::definePasswordObjects()
{
    TblAuxiliar->setTableName(DirectoryDatabase::AuxiliarTable);
    addFields(*TblAuxiliar, { { "PasswordValue", "Password" } });

    QryAuxiliar->setSQL({ QStringLiteral("UPDATE AUXILIAR"), QStringLiteral("SET PasswordValue = :ReplaceValue"),
        QStringLiteral("WHERE PasswordValue = :FindValue") });
}

void TfrmDataMod::defineImportObjects()
{
    SourceTable->setTableType(db::Table::Type::Ascii);
    DestTable->setTableName(DirectoryDatabase::DestTable);
    TblDupTable->setTableName(DirectoryDatabase::TempTable);
    BatchMove1->setSource(SourceTable);
    BatchMove1->setDestination(DestTable);
    BatchMove1->setAbortOnKeyViol(false);
    BatchMove1->setAbortOnProblem(false);
    BatchMove1->setKeyViolTableName(DirectoryDatabase::DupTable);
}

void TfrmDataMod::defineSpecialTable()
{
    TblSpecial->setTableName(DirectoryDatabase::SpecialTable);
    addFields(*TblSpecial, { { "Number", nullptr, 9 }, { "Description", nullptr, 46 } });
}
