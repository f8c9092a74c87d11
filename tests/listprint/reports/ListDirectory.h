#pragma once

#include "TemporaryAlias.h"

#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QStringList>

#include <memory>
#include <vector>

// A throw-away directory database for the list layouts: an alias folder with an employee and a department table,
// named by its own alias configuration.
class ListDirectory
{
public:
    struct Employee
    {
        QString department;
        QString name;
        QString extension;
        QString cellular;
        QString pager;
        QString title;
    };
    struct Department
    {
        QString department;
        QString mainExtension;
        QString faxNumber;
        QString address1;
        QString address2;
    };

    static constexpr const char* alias = "Ringfolio Test";

    ListDirectory(const std::vector<Employee>& employees, const std::vector<Department>& departments = {});

    // The employees by name, as the list printer's query has them; the departments in table order.
    std::unique_ptr<db::Query> employees() const { return openEmployees(QString::fromLatin1(alias)); }
    std::unique_ptr<db::Table> departments() const { return openDepartments(QString::fromLatin1(alias)); }

    // The list printer's employee query of a list (the lines after its FROM, the department for its parameter) and
    // its department table, over the directory an alias names.
    static std::unique_ptr<db::Query> openEmployees(const QString& alias,
        const QStringList& lines = { QStringLiteral("ORDER BY Name") }, const QString& department = {});
    static std::unique_ptr<db::Table> openDepartments(const QString& alias);

private:
    TemporaryAlias m_alias { QString::fromLatin1(alias) };
};
