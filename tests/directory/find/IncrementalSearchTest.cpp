#include "FindFixture.h"
#include "SqliteShell.h"

#include "platform/db/Table.h"

namespace {

using IncrementalSearchTest = FindFixture;

TEST_F(IncrementalSearchTest, EachKeyOfTheSetMovesToTheFirstNameBeginningWithTheField)
{
    TfrmMain& main = start();
    QLineEdit& field = *main.EditEmployeeSearch;

    QTest::keyClick(&field, Qt::Key_S);
    EXPECT_EQ(currentName(), QStringLiteral("SMALL, FAY"));
    QTest::keyClicks(&field, "mi");
    EXPECT_EQ(field.text(), QStringLiteral("SMI")) << "typed in upper case";
    EXPECT_EQ(currentName(), QStringLiteral("SMITH, GUS"));
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(currentName(), QStringLiteral("SMALL, FAY"));

    // Space and the semicolon key change the field but not the search text; the next key of the set takes it.
    QTest::keyClicks(&field, "ith,");
    ASSERT_EQ(main.unitState().SearchText, QStringLiteral("SMITH,"));
    QTest::keyClick(&field, Qt::Key_Space);
    QTest::keyClick(&field, Qt::Key_Semicolon);
    EXPECT_EQ(field.text(), QStringLiteral("SMITH, ;"));
    EXPECT_EQ(main.unitState().SearchText, QStringLiteral("SMITH,"));
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_J);
    EXPECT_EQ(main.unitState().SearchText, QStringLiteral("SMITH, J"));
    EXPECT_EQ(currentName(), QStringLiteral("SMITH, JOHN"));

    // A key outside the set repeats the look-up, which brings back the first match after the record moved.
    data().TblEmployee1->First();
    QTest::keyClick(&field, Qt::Key_Left);
    EXPECT_EQ(currentName(), QStringLiteral("SMITH, JOHN"));

    // No match: the record stays, and nothing is said.
    QTest::keyClick(&field, Qt::Key_End);
    QTest::keyClick(&field, Qt::Key_X);
    EXPECT_EQ(main.unitState().SearchText, QStringLiteral("SMITH, JX"));
    EXPECT_EQ(currentName(), QStringLiteral("SMITH, JOHN"));

    // Esc empties field and search and leaves the record.
    QTest::keyClick(&field, Qt::Key_Escape);
    EXPECT_TRUE(field.text().isEmpty());
    EXPECT_TRUE(main.unitState().SearchText.isEmpty());
    EXPECT_EQ(currentName(), QStringLiteral("SMITH, JOHN"));
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(IncrementalSearchTest, DepartmentSearchIgnoresCaseAndAFailingLookUpSaysNotFound)
{
    TfrmMain& main = start();
    switchToPage(1);
    QLineEdit& field = *main.EditDepartmentSearch;
    QTest::keyClicks(&field, "acc");
    EXPECT_EQ(main.DBEditDepartment->text(), QStringLiteral("Accounting"));
    EXPECT_EQ(data().TblEmployee1->RecNo(), 1) << "the page's table, not the employees";
    EXPECT_EQ(messages(), QStringList());

    // The page decides which table is searched, whichever field raised the key.
    QTest::keyClick(main.EditEmployeeSearch, Qt::Key_D);
    EXPECT_EQ(main.DBEditDepartment->text(), QStringLiteral("Accounting"));
    QTest::keyClick(&field, Qt::Key_Escape);
    QTest::keyClick(&field, Qt::Key_D);
    EXPECT_EQ(main.DBEditDepartment->text(), QStringLiteral("DESIGN"));

    // A look-up that fails (another program holds the table) says so in one box.
    SqliteShell other(m_environment.tablePath(DirectoryDatabase::DepartmentTable));
    ASSERT_TRUE(other.execute("BEGIN EXCLUSIVE"));
    QTest::keyClick(&field, Qt::Key_E);
    EXPECT_EQ(messages(), QStringList { "Not Found" });
    EXPECT_EQ(m_modal.messages().constFirst().kind, modal::MessageKind::Information);
}

} // namespace
