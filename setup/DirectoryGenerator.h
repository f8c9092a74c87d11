#pragma once

#include "common/TDepartmentRec.h"
#include "common/TEmployeeRec.h"

#include <QString>
#include <QStringList>

// Makes up a large directory of realistic shape: departments named after a function and a region, employees
// named from lists of first and last names, with extensions, some cellular, pager and home numbers, voice-mail
// marks and titles, a few of them for each title-filtered list. Every (Department, Name) is unique. A row
// depends only on its index and the two counts, so the same counts always give the same directory.
class DirectoryGenerator
{
public:
    static constexpr qint64 DefaultEmployees = 1'000'000;
    static constexpr qint64 MaxEmployees = 10'000'000;
    static constexpr int DefaultDepartments = 200;
    static int maxDepartments();
    static qint64 namesPerWalk(); // names a department gives out before it adds middle initials

    // SetupError when a count is out of range (employees 0 to MaxEmployees, departments 1 to maxDepartments()).
    explicit DirectoryGenerator(qint64 employees = DefaultEmployees, int departments = DefaultDepartments);

    qint64 employeeCount() const { return m_employees; }
    int departmentCount() const { return m_departments; }

    TDepartmentRec department(int index) const;
    TEmployeeRec employee(qint64 index) const;

    // The five tables with the installation rows and the generated departments and employees (DirectoryInstaller).
    void writeTables(const QString& folder) const;
    // The employees as a delimited text file in the import's layout, with its schema file beside it.
    void writeText(const QString& path) const;

private:
    qint64 m_employees;
    int m_departments;
    QStringList m_departmentNames;
};
