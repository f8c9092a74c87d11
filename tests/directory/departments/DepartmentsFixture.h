#pragma once

#include "MainWindowFixture.h"

#include "common/DirectoryDatabase.h"
#include "common/TDepartmentRec.h"
#include "common/TEmployeeRec.h"

#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include <memory>

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
        sqlite3* raw = nullptr;
        sqlite3_open_v2(tablePath(table).toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
        const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> file(raw, &sqlite3_close);
        const QByteArray sql = QByteArray("SELECT ") + column + " FROM records ORDER BY 1";
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(raw, sql.constData(), -1, &statement, nullptr);
        QStringList values;
        while (sqlite3_step(statement) == SQLITE_ROW)
            values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return values;
    }

    QStringList employees() const { return stored(DirectoryDatabase::EmployeeTable, "Department || '/' || Name"); }
    QStringList departments() const { return stored(DirectoryDatabase::DepartmentTable, "Department"); }
};
