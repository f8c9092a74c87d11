#include "ImportFixture.h"
#include "PointerInput.h"

#include "platform/ui/DBGrid.h"

#include <QRadioButton>

namespace {

using ImportDialogMouseTest = ImportFixture;

// The dialog worked with the mouse alone, each click and rest at a point of the window: the controls inside the
// frame around the grid and the counters get it, not the frame.
TEST_F(ImportDialogMouseTest, TheFramedControlsTakeClicksAndShowTheirTooltip)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog()));
    pointer::expectMouseReaches(dialog(),
        { "DBGrid1", "Memo1", "RadioGroup1", "RadioGroup1Item0", "RadioGroup1Item1", "Label1", "EditImportRecord",
            "Label3", "EditDuplicate", "Label2", "EditBadRecord", "DBNavigator1", "btnDepartment", "btnEmployee",
            "btnUpdate", "btnDuplicate", "btnClose" });

    // The layout chosen by a click on its item, then the fixed-width employees previewed by a click.
    const QString fixed = sample("employees-fixed.txt");
    const auto previewWith = [this, &fixed](const char* item) {
        pointer::click(*dialog().findChild<QRadioButton*>(QLatin1StringView(item)));
        m_modal.answerFile(fixed);
        pointer::click(*dialog().btnEmployee);
    };

    previewWith("RadioGroup1Item1"); // "Fixed Width"
    EXPECT_EQ(dialog().RadioGroup1ItemIndex(), 1);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog().EditBadRecord->text(), QStringLiteral("0"));

    ui::DBGrid* const grid = dialog().DBGrid1;
    pointer::click(*grid->viewport(), grid->cellRect(2, 1).center());
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 1);

    // Read as comma-delimited, no line of it is whole; the counter's tooltip names the file.
    previewWith("RadioGroup1Item0");
    EXPECT_EQ(dialog().RadioGroup1ItemIndex(), 0);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog().EditBadRecord->text(), QStringLiteral("3"));
    EXPECT_TRUE(pointer::showsTooltip(*dialog().EditBadRecord, QDir::toNativeSeparators(fixed)));
}

} // namespace
