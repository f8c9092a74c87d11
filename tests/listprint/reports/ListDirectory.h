#pragma once

#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QStringList>
#include <QTemporaryDir>

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
    ~ListDirectory();

    // The employees by name, as the list printer's query has them; the departments in table order.
    std::unique_ptr<db::Query> employees() const;
    std::unique_ptr<db::Table> departments() const;

private:
    QTemporaryDir m_folder;
    QByteArray m_oldConfig;
    bool m_hadConfig;
};
