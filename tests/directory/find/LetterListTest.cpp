#include "FindFixture.h"

#include "directory/LetterListDock.h"
#include "directory/LetterListFill.h"
#include "directory/NameGridFeed.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QListWidget>
#include <QTableWidget>

#include <stdexcept>

namespace {

class LetterListTest : public FindFixture
{
protected:
    QStringList employeeRows()
    {
        QStringList rows;
        const QTableWidget& grid = *window().StringGridEmployee;
        for (int row = 0; row < grid.rowCount(); ++row) {
            const auto text = [&](int column) { return grid.item(row, column) ? grid.item(row, column)->text() : "-"; };
            rows << text(0) + u'/' + text(1);
        }
        return rows;
    }

    QStringList departmentRows()
    {
        QStringList rows;
        for (int row = 0; row < window().ListBoxDepartment->count(); ++row)
            rows << window().ListBoxDepartment->item(row)->text();
        return rows;
    }

    void clickEmployeeRow(int row)
    {
        QTableWidget& grid = *window().StringGridEmployee;
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualItemRect(grid.item(row, 0)).center());
    }
};

TEST_F(LetterListTest, FirstPressOnEachPageFillsItsListAndLaterPressesShowItAsLastFilled)
{
    TfrmMain& main = start();
    const QStringList letterA = { "ABBOTT, ANN/100", "ADAMS, BOB/101", "ADAMS, BOB/102", "ALLEN, CAL/103" };

    // "A" is selected already: the first press fills without a letter change.
    pressLetter('A');
    EXPECT_TRUE(employeeListShown());
    EXPECT_EQ(employeeRows(), letterA) << "one row per name and extension, in order of both";
    EXPECT_FALSE(main.unitState().FirstEmployeeLetterClick);
    EXPECT_TRUE(main.unitState().FirstDepartmentLetterClick);

    // A later press on the selected letter shows the list without reading it again.
    main.StringGridEmployee->item(0, 0)->setText(QStringLiteral("kept"));
    main.HideListBoxes();
    pressLetter('A');
    EXPECT_TRUE(employeeListShown());
    EXPECT_EQ(main.StringGridEmployee->item(0, 0)->text(), QStringLiteral("kept"));

    pressLetter('C');
    EXPECT_EQ(employeeRows(), QStringList { "CARTER, DAN/200" });

    // The department page's first press, which also changes the letter, fills the department list.
    switchToPage(1);
    EXPECT_FALSE(employeeListShown());
    pressLetter('D');
    EXPECT_TRUE(departmentListShown());
    EXPECT_FALSE(employeeListShown());
    EXPECT_EQ(departmentRows(), QStringList { "DESIGN" });
    EXPECT_FALSE(main.unitState().FirstDepartmentLetterClick);

    // Back on the employee page the selected "D" shows the employee list as it was filled, for "C".
    switchToPage(0);
    pressLetter('D');
    EXPECT_TRUE(employeeListShown());
    EXPECT_EQ(employeeRows(), QStringList { "CARTER, DAN/200" });
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(LetterListTest, LetterWithoutEntriesShowsOneEmptyEmployeeRowAndAnEmptyDepartmentList)
{
    start();
    pressLetter('Q');
    EXPECT_TRUE(employeeListShown());
    EXPECT_EQ(employeeRows(), QStringList { "/" });

    switchToPage(1);
    pressLetter('A');
    EXPECT_EQ(departmentRows(), QStringList { "Accounting" }) << "LIKE compares letter case";
    pressLetter('Q');
    EXPECT_TRUE(departmentListShown());
    EXPECT_TRUE(departmentRows().isEmpty());
    EXPECT_TRUE(data().QryDepartment->Prepared()) << "prepared at the first fill, for the run";
}

TEST_F(LetterListTest, ChoosingAnEmployeeGoesToTheFirstOfThatNameAndLeavesListAndSearchAlone)
{
    TfrmMain& main = start();
    db::Table& employees = *data().TblEmployee1;
    ASSERT_TRUE(employees.Locate(QStringLiteral("Name"), QStringLiteral("ADAMS, BOB")));
    const qint64 firstAdams = employees.RecNo();
    employees.Last();
    main.EditEmployeeSearch->setText(QStringLiteral("ST"));

    pressLetter('A');
    clickEmployeeRow(2); // ADAMS, BOB with the second extension
    EXPECT_EQ(employees.RecNo(), firstAdams);
    EXPECT_EQ(currentName(), QStringLiteral("ADAMS, BOB"));
    EXPECT_TRUE(employeeListShown());
    EXPECT_EQ(main.EditEmployeeSearch->text(), QStringLiteral("ST"));

    // The keyboard chooses too, once the list has the focus.
    main.StringGridEmployee->setFocus();
    QTest::keyClick(main.StringGridEmployee, Qt::Key_Down);
    EXPECT_EQ(currentName(), QStringLiteral("ALLEN, CAL"));

    // The click of a double-click chooses; the double-click hides the list.
    clickEmployeeRow(0);
    EXPECT_EQ(currentName(), QStringLiteral("ABBOTT, ANN"));
    QTableWidget& grid = *main.StringGridEmployee;
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualItemRect(grid.item(0, 0)).center());
    EXPECT_FALSE(employeeListShown());
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(LetterListTest, ChoosingADepartmentHidesTheListAndEmptiesTheSearch)
{
    TfrmMain& main = start();
    switchToPage(1);
    QTest::keyClicks(main.EditDepartmentSearch, "zz");
    ASSERT_EQ(main.unitState().SearchText, QStringLiteral("ZZ"));

    pressLetter('S');
    ASSERT_EQ(departmentRows(), QStringList { "Sales" });
    QListWidget& list = *main.ListBoxDepartment;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(0)).center());
    EXPECT_FALSE(departmentListShown());
    EXPECT_EQ(main.DBEditDepartment->text(), QStringLiteral("Sales"));
    EXPECT_TRUE(main.EditDepartmentSearch->text().isEmpty());
    EXPECT_TRUE(main.unitState().SearchText.isEmpty());
    EXPECT_EQ(messages(), QStringList());
}

// A failure part way leaves the rows read before it in place of the last fill.
TEST(LetterListFillTest, ReaderFailingPartWayLeavesTheRowsReadAndReportsTheError)
{
    QTableWidget grid(1, 2);
    NameGridFeed feed(grid);
    int delivered = 0;
    const auto rows = [&delivered](int count, bool failAtEnd) {
        return [&delivered, count, failAtEnd](QString& name, QString& extension) -> bool {
            if (delivered == count) {
                if (failAtEnd)
                    throw std::runtime_error("read failed");
                return false;
            }
            name = QStringLiteral("NAME %1").arg(delivered);
            extension = QString::number(100 + delivered++);
            return true;
        };
    };
    feed.start(300, rows(300, false));
    feed.readAll();
    ASSERT_EQ(grid.rowCount(), 300);
    EXPECT_EQ(grid.item(299, 1)->text(), QStringLiteral("399"));

    delivered = 0;
    EXPECT_THROW(feed.start(5, rows(2, true)), std::runtime_error);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.item(1, 0)->text(), QStringLiteral("NAME 1"));
    EXPECT_EQ(grid.item(1, 1)->text(), QStringLiteral("101"));

    EXPECT_EQ(LetterListFill::pattern(0), QStringLiteral("A%"));
    EXPECT_EQ(LetterListFill::pattern(25), QStringLiteral("Z%"));
}

} // namespace
