#include "PointerInput.h"
#include "PrintrollFixture.h"

#include "listprint/TSelectionDlg.h"
#include "platform/db/Query.h"
#include "platform/ui/DBLookupComboBox.h"

#include <QLabel>
#include <QTableView>
#include <QPushButton>
#include <QTest>

namespace {

using DepartmentChooserTest = PrintrollFixture;

TEST_F(DepartmentChooserTest, EachOkRunsTheListForTheChosenDepartmentUntilCancel)
{
    openMainWindow();
    selectList(QStringLiteral("Employees of a Department"));
    QStringList departments;
    QStringList queries; // the employee query's text and parameter after each OK
    bool stayedOpen = true;
    m_recorder.driveDialog([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<TSelectionDlg&>(dialog);
        EXPECT_EQ(chooser.LblSelection->text(), QStringLiteral("Please select a department for printing employee:"));
        EXPECT_EQ(focusIn(chooser), chooser.DBLookupComboBoxSelect); // the list has the focus when it opens
        QTest::mouseClick(chooser.OKBtn, Qt::LeftButton); // nothing chosen yet
        for (int pick = 0; pick < 2; ++pick) {
            chooser.DBLookupComboBoxSelect->setFocus(); // where the user's click on the list puts it
            pressIn(chooser, Qt::Key_Down);
            departments << chooser.DBLookupComboBoxSelect->currentText();
            pressIn(chooser, Qt::Key_Return); // OK is the default button
            queries << dataMod().QryEmployee->SQL().join(u'|') + u'=' + dataMod().QryEmployee->Params(0).AsString();
            stayedOpen = stayedOpen && chooser.isVisible();
        }
        QTest::mouseClick(chooser.CancelBtn, Qt::LeftButton);
    });
    doubleClickCatalogue();

    // The chooser, and over it the preview of each department chosen.
    const QString preview = QStringLiteral("Print Preview - ");
    EXPECT_EQ(m_recorder.dialogTitles(),
        QStringList({ QStringLiteral("Department"), preview + departments.value(0), preview + departments.value(1) }));
    EXPECT_EQ(m_recorder.messageTexts(), QStringList { QStringLiteral("Please select a department") });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(departments.size(), 2);
    EXPECT_EQ(departments.front(), QStringLiteral("ACCOUNTING")); // the first in the table's order
    EXPECT_NE(departments.front(), departments.back());
    ASSERT_EQ(previews().size(), 2);
    EXPECT_TRUE(previews().front().contains(departments.front()));
    EXPECT_TRUE(previews().back().contains(departments.back()));
    const QString query = QStringLiteral("Select * |FROM employee |WHERE Department = :ParmDept=");
    EXPECT_EQ(queries, QStringList({ query + departments.front(), query + departments.back() }));
    EXPECT_EQ(mainWindow().ReportAction(), 1);
}

// With the mouse alone, each click at a point of a window: the list in the frame opens and takes a pick, and OK
// and Cancel take theirs.
TEST_F(DepartmentChooserTest, TheFramedListAndTheButtonsTakeClicks)
{
    openMainWindow();
    selectList(QStringLiteral("Employees of a Department"));
    QString picked;
    m_recorder.driveDialog([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<TSelectionDlg&>(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
        pointer::expectMouseReaches(chooser, { "LblSelection", "DBLookupComboBoxSelect", "OKBtn", "CancelBtn" });
        ui::DBLookupComboBox* const list = chooser.DBLookupComboBoxSelect;
        pointer::click(*list);
        QTableView* const rows = list->listView();
        ASSERT_TRUE(QTest::qWaitFor([rows] { return rows->isVisible(); }));
        const QModelIndex second = rows->model()->index(1, 0);
        pointer::click(*rows->viewport(), rows->visualRect(second).center());
        ASSERT_TRUE(QTest::qWaitFor([rows] { return !rows->isVisible(); }));
        picked = list->currentText();
        EXPECT_EQ(picked, second.data().toString());
        pointer::click(*chooser.OKBtn);
        EXPECT_TRUE(chooser.isVisible());
        pointer::click(*chooser.CancelBtn);
    });
    doubleClickCatalogue();

    EXPECT_EQ(m_recorder.dialogTitles(), QStringList({ QStringLiteral("Department"), "Print Preview - " + picked }));
    EXPECT_TRUE(m_recorder.messages().isEmpty()) << "a department was chosen";
    ASSERT_FALSE(picked.isEmpty());
    ASSERT_EQ(previews().size(), 1);
    EXPECT_TRUE(previews().front().contains(picked));
}

} // namespace
