// The data module's part of the department editor: its table and the rename cascade, which carries a department's
// new name into every employee row that named the old one.
#include "directory/TfrmDataMod.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/BusyCursor.h"

#include <utility>

void TfrmDataMod::defineDepartmentEditor()
{
    TblEditDepartment->setTableName(DirectoryDatabase::DepartmentTable);
    TblEditDepartment->setIndexFieldNames(QStringLiteral("Department"));
    const std::pair<const char*, int> fields[] = { { "Department", 35 }, { "MainExtension", 25 }, { "FaxNumber", 25 },
        { "Address1", 35 }, { "Address2", 35 } };
    for (const auto& [name, width] : fields)
        TblEditDepartment->addField(QString::fromLatin1(name)).setDisplayWidth(width);
    TblEditDepartmentDepartment = &TblEditDepartment->FieldByName(QStringLiteral("Department"));

    // The cascade writes employee.DB inside the post of the renamed department: both change, or neither does.
    TblEditDepartment->setLinkedTables({ QString(DirectoryDatabase::EmployeeTable) });
    TblEditDepartment->BeforeEdit = [this](db::DataSet& dataSet) { TblEditDepartmentBeforeEdit(dataSet); };
    TblEditDepartment->BeforePost
        = [this](db::DataSet& dataSet) { m_postingEdit = dataSet.State() == db::DataSetState::Edit; };
    TblEditDepartment->AfterPost = [this](db::DataSet& dataSet) { TblEditDepartmentAfterPost(dataSet); };
}

void TfrmDataMod::TblEditDepartmentBeforeEdit(db::DataSet& /*DataSet*/)
{
    OldDepartment = TblEditDepartmentDepartment->AsString();
}

void TfrmDataMod::TblEditDepartmentAfterPost(db::DataSet& /*DataSet*/)
{
    // A new department has no employees yet.
    if (!m_postingEdit)
        return;
    const QString newName = TblEditDepartmentDepartment->AsString();
    QryEditMaster->Close();
    QryEditMaster->setSQL({ QStringLiteral("UPDATE \"Employee.DB\" SET Department = :ReplaceVal "),
        QStringLiteral("WHERE Department = :FindVal") });
    QryEditMaster->Params(0).setAsString(newName);
    QryEditMaster->Params(1).setAsString(OldDepartment);
    const ui::BusyCursor busy; // a large department's employees take a while
    QryEditMaster->ExecSQL();
}
