#pragma once

#include "MainWindowFixture.h"

#include "common/DirectoryDatabase.h"
#include "common/TDepartmentRec.h"
#include "common/TEmployeeRec.h"
#include "directory/FixedTabBar.h"
#include "directory/PageControl.h"
#include "platform/db/Session.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"
#include "platform/ui/DBEdit.h"
#include "setup/RowValues.h"

#include <QDir>
#include <QLineEdit>
#include <QTabBar>

// The main window over a small directory made for finding: names that share a letter, a prefix, a name, or a name
// and an extension, departments stored in mixed case, and letters (Q) that begin no name.
class FindFixture : public MainWindowFixture
{
protected:
    FindFixture()
        : MainWindowFixture(DirectoryTestEnvironment::Content::Empty)
    {
        const auto department = [](const char* name) {
            TDepartmentRec row;
            row.Department = QLatin1String(name);
            return row;
        };
        const QList<TDepartmentRec> departments
            = { department("Accounting"), department("DESIGN"), department("Sales") };
        const auto employee = [](const char* departmentName, const char* name, const char* extension) {
            TEmployeeRec row;
            row.Department = QLatin1String(departmentName);
            row.Name = QLatin1String(name);
            row.Extension = QLatin1String(extension);
            return row;
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
        addRows(DirectoryDatabase::DepartmentTable, departments);
        addRows(DirectoryDatabase::EmployeeTable, employees);
    }

    template <typename Row> void addRows(QLatin1StringView table, const QList<Row>& rows)
    {
        db::Session session;
        session.AddPassword(DirectoryDatabase::TablePassword);
        db::TableFile file(QDir(m_environment.databaseFolder()).filePath(table), session);
        db::TableLoad load(file);
        for (const Row& row : rows)
            load.insert(RowValues::of(row));
        load.commit();
    }

    void switchToPage(int page)
    {
        QTabBar* const tabs = window().PageControlMain->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        ASSERT_EQ(window().PageControlMain->currentIndex(), page);
    }

    void pressLetter(char letter)
    {
        QTabBar* const tabs = window().TabControlMain;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(letter - 'A').center());
    }

    QString currentName() { return window().DBEditName->text(); }
    QStringList messages() const { return m_modal.messageTexts(); }
};
