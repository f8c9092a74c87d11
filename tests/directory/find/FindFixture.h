#pragma once

#include "MainWindowFixture.h"

#include "common/DirectoryDatabase.h"
#include "common/TDepartmentRec.h"
#include "common/TEmployeeRec.h"
#include "directory/FixedTabBar.h"
#include "platform/ui/DBEdit.h"

// The main window over a small directory made for finding: names that share a letter, a prefix, a name, or a name
// and an extension, departments stored in mixed case, and letters (Q) that begin no name.
class FindFixture : public MainWindowFixture
{
protected:
    FindFixture()
        : MainWindowFixture(DirectoryTestEnvironment::Content::Empty)
    {
        const QList<TDepartmentRec> departments
            = { { "Accounting", {}, {}, {}, {} }, { "DESIGN", {}, {}, {}, {} }, { "Sales", {}, {}, {}, {} } };
        const auto employee = [](const char* department, const char* name, const char* extension) {
            return TEmployeeRec { department, name, extension, {}, {}, {}, {}, {} };
        };
        const QList<TEmployeeRec> employees = {
            employee("Sales", "ABBOTT, ANN", "100"),
            employee("Sales", "ADAMS, BOB", "102"),
            employee("Accounting", "ADAMS, BOB", "101"),
            employee("Sales", "ALLEN, CAL", "103"),
            employee("Accounting", "ALLEN, CAL", "103"),
            employee("DESIGN", "CARTER, DAN", "200"),
            employee("DESIGN", "DAVIS, EVE", "300"),
            employee("Sales", "SMALL, FAY", "400"),
            employee("Sales", "SMITH, GUS", "401"),
            employee("Sales", "SMITH, JOHN", "402"),
            employee("Sales", "SMITHERS, HAL", "403"),
            employee("Sales", "STONE, IAN", "404"),
        };
        m_environment.addRows(DirectoryDatabase::DepartmentTable, departments);
        m_environment.addRows(DirectoryDatabase::EmployeeTable, employees);
    }

    void pressLetter(char letter)
    {
        QTabBar* const tabs = window().TabControlMain;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(letter - 'A').center());
    }

    QString currentName() { return window().DBEditName->text(); }
};
