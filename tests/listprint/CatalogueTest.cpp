#include "PrintrollFixture.h"

#include "platform/db/Field.h"
#include "platform/db/Query.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBMemo.h"

#include <QTabWidget>

namespace {

using CatalogueTest = PrintrollFixture;

QStringList shownNames(const ui::DBGrid& grid)
{
    QStringList names;
    for (int row = 0; row < grid.rowCount(); ++row)
        names << grid.cellText(row, 0);
    return names;
}

TEST_F(CatalogueTest, OpensOnTheEmployeeListsWithTheFirstOnesDescription)
{
    TFrmMain& window = openMainWindow();
    EXPECT_EQ(window.DBGridMain->columnTitle(0), QStringLiteral("List Name"));
    EXPECT_EQ(shownNames(*window.DBGridMain),
        QStringList({ "Directors", "Employee Listing", "Extended Employee Listing", "Team Leaders",
            "Vice Presidents and Controllers" }));
    EXPECT_EQ(window.DBMemoDescription->toPlainText(),
        QStringLiteral("Employees whose title begins with DIRECTOR. Only titles typed in capitals are listed."));
    EXPECT_EQ(window.ReportAction(), 1);
}

TEST_F(CatalogueTest, EachTabChangeQueriesTheCatalogueAnewFromItsFirstRow)
{
    TFrmMain& window = openMainWindow();
    window.PageControlMain->setCurrentIndex(1);
    EXPECT_EQ(shownNames(*window.DBGridMain), QStringList({ "Department Listing", "Employees of a Department" }));
    dataMod().QryReport->Last();

    // What another program changed meanwhile shows at the next change of area.
    execute(QStringLiteral("UPDATE Report SET Name = 'Zoo Keepers' WHERE ReportNumber = 3"));
    window.PageControlMain->setCurrentIndex(0);
    window.PageControlMain->setCurrentIndex(1);
    EXPECT_EQ(shownNames(*window.DBGridMain), QStringList({ "Employees of a Department", "Zoo Keepers" }));
    EXPECT_EQ(dataMod().QryReport->RecNo(), 1);
    EXPECT_EQ(window.DBMemoDescription->toPlainText(), dataMod().QryReportDescription->AsString());

    execute(QStringLiteral("DELETE FROM Report WHERE Area = 'Department'"));
    window.PageControlMain->setCurrentIndex(0);
    window.PageControlMain->setCurrentIndex(1);
    EXPECT_EQ(window.DBGridMain->rowCount(), 0);
    EXPECT_TRUE(window.DBMemoDescription->toPlainText().isEmpty());
}

} // namespace
