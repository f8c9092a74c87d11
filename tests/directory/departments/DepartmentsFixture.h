#pragma once

#include "MainWindowFixture.h"
#include "SqliteShell.h"

#include "common/DirectoryDatabase.h"
#include "common/TDepartmentRec.h"
#include "common/TEmployeeRec.h"

#include <QString>
#include <QStringList>

// The main window over a small directory for editing departments: names in mixed case that share a beginning,
// employees that name a department in another letter case, and one that names no department.
class DepartmentsFixture : public MainWindowFixture
{
protected:
    DepartmentsFixture()
        : MainWindowFixture(DirectoryTestEnvironment::Content::Empty)
    {
        QList<TDepartmentRec> departments;
        for (const char* name : { "Accounting", "DESIGN", "SAFETY", "Sales" })
            departments.append({ name, {}, "555-0100", {}, {} });
        const auto employee = [](const char* department, const char* name) {
            return TEmployeeRec { department, name, "100", {}, {}, {}, {}, {} };
        };
        m_environment.addRows(DirectoryDatabase::DepartmentTable, departments);
        m_environment.addRows(DirectoryDatabase::EmployeeTable,
            QList<TEmployeeRec> { employee("Sales", "ABBOTT, ANN"), employee("Sales", "ADAMS, BOB"),
                employee("SALES", "ALLEN, CAL"), employee("Accounting", "BAKER, DON"),
                employee("DESIGN", "CARTER, EVE"), employee("FACILITIES", "DAVIS, FAY") });
    }

    QString tablePath(QLatin1StringView table) const { return m_environment.tablePath(table); }

    // One text column of every row of a table file, read straight from the file, sorted; `column` may be an
    // expression such as "Department || '/' || Name".
    QStringList stored(QLatin1StringView table, const char* column) const
    {
        const QByteArray sql = QByteArray("SELECT ") + column + " FROM records ORDER BY 1";
        return SqliteShell(tablePath(table), true).column(sql.constData());
    }

    QStringList employees() const { return stored(DirectoryDatabase::EmployeeTable, "Department || '/' || Name"); }
    QStringList departments() const { return stored(DirectoryDatabase::DepartmentTable, "Department"); }
};
