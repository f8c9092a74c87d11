#include "bench/RenameBench.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Field.h"
#include "platform/db/Query.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "setup/DirectoryGenerator.h"

#include <stdexcept>

void RenameBench::makeDirectory(const QString& folder)
{
    DirectoryGenerator(Employees, Departments).writeTables(folder);
}

RenameBench::RenameBench(const QString& folder, QString firstName, QString secondName)
    : m_bench(folder)
    , m_names { std::move(firstName), std::move(secondName) }
{
    // The data module's tables work through the default session, as the program's do.
    db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
    m_dataModule.TblEditDepartment->Open();
}

qint64 RenameBench::renameOnce()
{
    const QString& from = m_names[m_turn % 2];
    const QString& to = m_names[(m_turn + 1) % 2];
    db::Table& table = *m_dataModule.TblEditDepartment;
    if (!table.Locate(QStringLiteral("Department"), from))
        throw std::runtime_error("no department " + from.toStdString());
    table.Edit();
    m_dataModule.TblEditDepartmentDepartment->setAsString(to);
    table.Post();
    ++m_turn;
    return m_dataModule.QryEditMaster->RowsAffected();
}
