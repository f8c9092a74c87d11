// "Copy Record to Clipboard": which record is copied, which of its fields and how, read back from the clipboard.
#include "MainWindowFixture.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Table.h"
#include "platform/ui/DBGrid.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

namespace {

const TDepartmentRec sales { QStringLiteral("SALES"), QStringLiteral("555-0100"), QStringLiteral("555-0199"),
    QStringLiteral("BUILDING 2"), QStringLiteral("FLOOR 3") };
const TDepartmentRec research { QStringLiteral("FORSCHUNG M\u00DCNCHEN"), QStringLiteral("089 1234"), {}, {}, {} };

// In name order: the first is the one the employee page shows at start.
const TEmployeeRec adams { QStringLiteral("SALES"), QStringLiteral("ADAMS, ANN"), QStringLiteral("100"), {}, {}, {}, {},
    {} };
const TEmployeeRec lukasiewicz { QStringLiteral("SALES"), QStringLiteral("\u0141UKASIEWICZ, JAN"),
    QStringLiteral("101 *"), QStringLiteral("0171 555"), QStringLiteral("0172 555"), QStringLiteral("030 555"),
    QStringLiteral("jan@example.com"), QStringLiteral("Sales Manager") };
const TEmployeeRec mueller { QStringLiteral("FORSCHUNG M\u00DCNCHEN"), QStringLiteral("M\u00DCLLER, J\u00D6RG"),
    QStringLiteral("200"), {}, {}, {}, QStringLiteral("joerg@example.com"), QStringLiteral("CHEMIST") };
const TEmployeeRec yamada { QStringLiteral("SALES"), QStringLiteral("\u5C71\u7530, \u592A\u90CE"),
    QStringLiteral("300"), {}, {}, {}, {}, QStringLiteral("\u55B6\u696D") };

// The two records copied more than once: all five department fields in order; every employee field but the
// e-mail address, title and department last.
const QString salesCopied = QStringLiteral("SALES\r\n555-0100\r\n555-0199\r\nBUILDING 2\r\nFLOOR 3\r\n");
const QString lukasiewiczCopied
    = QStringLiteral("\u0141UKASIEWICZ, JAN\r\n101 *\r\n0171 555\r\n0172 555\r\n030 555\r\nSales Manager\r\nSALES\r\n");

class RecordCopyTest : public MainWindowFixture
{
protected:
    RecordCopyTest()
        : MainWindowFixture(DirectoryTestEnvironment::Content::Empty)
    {
    }

    void fillDirectory()
    {
        m_environment.addRows(DirectoryDatabase::DepartmentTable, QList<TDepartmentRec> { sales, research });
        m_environment.addRows(
            DirectoryDatabase::EmployeeTable, QList<TEmployeeRec> { adams, lukasiewicz, mueller, yamada });
    }

    // Copies with an earlier text on the clipboard, so that a copy that leaves it alone shows.
    QString copy()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier text"));
        window().Copy1->trigger();
        return QGuiApplication::clipboard()->text();
    }

    void showEmployee(const QString& name)
    {
        ASSERT_TRUE(data().TblEmployee1->Locate(QStringLiteral("Name"), name, {}));
    }

    void clickIntoEmployeeGrid(int row)
    {
        ui::DBGrid* const grid = window().DBGridEmployee;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(row, 0).center());
        ASSERT_EQ(window().focusWidget(), grid);
    }
};

TEST_F(RecordCopyTest, EmployeePageCopiesTheFilledFieldsInTheirOrderWithoutEMail)
{
    fillDirectory();
    start();
    const struct
    {
        QString name;
        QString expected;
    } cases[] = {
        // Empty cellular, pager, home phone and title leave no blank lines.
        { adams.Name, QStringLiteral("ADAMS, ANN\r\n100\r\nSALES\r\n") },
        // Title and department come last; the e-mail address never comes.
        { lukasiewicz.Name, lukasiewiczCopied },
        { mueller.Name, QStringLiteral("M\u00DCLLER, J\u00D6RG\r\n200\r\nCHEMIST\r\nFORSCHUNG M\u00DCNCHEN\r\n") },
        { yamada.Name, QStringLiteral("\u5C71\u7530, \u592A\u90CE\r\n300\r\n\u55B6\u696D\r\nSALES\r\n") },
    };
    for (const auto& c : cases) {
        showEmployee(c.name);
        EXPECT_EQ(copy(), c.expected) << c.name.toStdString();
    }
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(RecordCopyTest, DepartmentPageCopiesTheGridsEmployeeOnlyWhileTheGridItselfHasTheFocus)
{
    fillDirectory();
    start();
    switchToPage(1);
    ASSERT_TRUE(data().TblDepartment->Locate(QStringLiteral("Department"), sales.Department, {}));

    // The search field has the focus after the page switch: the department, all five fields in order.
    ASSERT_EQ(window().focusWidget(), window().EditDepartmentSearch);
    EXPECT_EQ(copy(), salesCopied);

    // In the grid: the grid's current employee (the second of the department's three, in name order).
    clickIntoEmployeeGrid(1);
    EXPECT_EQ(copy(), lukasiewiczCopied);

    // Back in the search field: the department again.
    QTest::mouseClick(window().EditDepartmentSearch, Qt::LeftButton);
    ASSERT_EQ(window().focusWidget(), window().EditDepartmentSearch);
    EXPECT_EQ(copy(), salesCopied);

    // A department with only its name and main number gives two lines.
    ASSERT_TRUE(data().TblDepartment->Locate(QStringLiteral("Department"), research.Department, {}));
    EXPECT_EQ(copy(), QStringLiteral("FORSCHUNG M\u00DCNCHEN\r\n089 1234\r\n"));
}

TEST_F(RecordCopyTest, AnOpenCellEditorInTheGridCountsAsElsewhere)
{
    fillDirectory();
    start();
    window().EnableEditing();
    switchToPage(1);
    ASSERT_TRUE(data().TblDepartment->Locate(QStringLiteral("Department"), sales.Department, {}));
    clickIntoEmployeeGrid(1); // not the current row: the click moves to it and opens no cell yet

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ui::DBGrid* const grid = window().DBGridEmployee;
    ASSERT_TRUE(grid->isEditing());
    ASSERT_EQ(window().focusWidget(), grid->editor());
    EXPECT_EQ(copy(), salesCopied);

    // Esc closes the editor and leaves the focus on the grid, which copies its employee again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_EQ(window().focusWidget(), grid);
    EXPECT_EQ(copy(), lukasiewiczCopied);
}

TEST_F(RecordCopyTest, AnEmptyRecordLeavesTheClipboardEmpty)
{
    // An employee whose only value is an e-mail address is as empty as no employee at all.
    m_environment.addRows(
        DirectoryDatabase::EmployeeTable, QList<TEmployeeRec> { { {}, {}, {}, {}, {}, {}, "x@example.com", {} } });
    start();
    EXPECT_EQ(copy(), QString());
    const QMimeData* const content = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(!content || content->formats().isEmpty()) << "the earlier text is gone and nothing replaces it";

    // The department page of a directory without departments.
    switchToPage(1);
    EXPECT_EQ(copy(), QString());
    EXPECT_EQ(messages(), QStringList());
}

} // namespace
