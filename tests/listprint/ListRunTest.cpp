#include "PrintrollFixture.h"

#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <ostream>

namespace {

const QStringList storedEmployeeQuery { "SELECT *", "FROM employee", "ORDER BY Name" };

struct ListCase
{
    const char* catalogueName;
    QStringList query; // of the employee query; the department list leaves the stored one
    const char* title;

    friend void PrintTo(const ListCase& list, std::ostream* out) { *out << list.catalogueName; }
};

class ListRunTest : public PrintrollFixture, public ::testing::WithParamInterface<ListCase>
{
};

TEST_P(ListRunTest, ADoubleClickPreviewsTheListWithItsQueryAndTitle)
{
    execute(QStringLiteral("UPDATE Report SET Name = 'All Departments' WHERE ReportNumber = 3"));
    openMainWindow();
    selectList(QString::fromUtf8(GetParam().catalogueName));
    doubleClickCatalogue();

    ASSERT_EQ(previews().size(), 1);
    EXPECT_TRUE(previews().front().contains(QString::fromUtf8(GetParam().title)));
    EXPECT_EQ(dataMod().QryEmployee->SQL(), GetParam().query);
    EXPECT_EQ(mainWindow().ReportAction(), 1);
}

// The employee query of a list: the lines after its FROM.
QStringList listQuery(const QStringList& lines)
{
    return QStringList { "Select * ", "FROM employee " } + lines;
}

INSTANTIATE_TEST_SUITE_P(EveryList, ListRunTest,
    ::testing::Values(ListCase { "Employee Listing", listQuery({ "ORDER BY Name" }), "Employee Listing" },
        // The department list keeps its own title whatever the catalogue calls it.
        ListCase { "All Departments", storedEmployeeQuery, "Department Listing" },
        ListCase { "Vice Presidents and Controllers",
            listQuery({ "WHERE Title LIKE '%V.P.%' OR", "Title LIKE '%CONTROLLER%' OR", "Title LIKE '%VP%'",
                "ORDER BY Name" }),
            "Vice Presidents and Controllers" },
        ListCase { "Directors", listQuery({ "WHERE Title LIKE 'DIRECTOR%'", "ORDER BY Name" }), "Directors" },
        ListCase { "Team Leaders", listQuery({ "WHERE Title LIKE '%TEAM LEADER%'", "ORDER BY Name" }), "Team Leaders" },
        ListCase { "Extended Employee Listing", listQuery({ "ORDER BY Name" }), "Extended Employee Listing" }));

using ListCommandTest = PrintrollFixture;

// The cursor over the application as a run reads the employee query's last row (the busy cursor of a print or an
// export), and none once the run is done.
int cursorAtTheLastRow(db::DataSet& rows, const std::function<void()>& run)
{
    int shape = -1;
    rows.AfterScroll = [&shape](db::DataSet&) {
        const QCursor* const cursor = QGuiApplication::overrideCursor();
        shape = cursor ? cursor->shape() : -1;
    };
    run();
    rows.AfterScroll = nullptr;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    return shape;
}

TEST_F(ListCommandTest, PrintAndExportDoTheirWorkAndThenADoubleClickPreviewsAgain)
{
    openMainWindow();
    selectList(QStringLiteral("Employee Listing"));
    EXPECT_EQ(cursorAtTheLastRow(
                  *dataMod().QryEmployee, [this] { QTest::mouseClick(mainWindow().ToolBtnPrinter, Qt::LeftButton); }),
        Qt::WaitCursor);
    EXPECT_TRUE(printed().startsWith("%PDF"));
    EXPECT_EQ(mainWindow().ReportAction(), 1);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("printed.pdf"))));

    // Export hands the prepared rows to an exporter, for each format, and neither shows nor prints them.
    mainWindow().setExportFileName(path(QStringLiteral("directors.txt")));
    selectList(QStringLiteral("Directors"));
    for (const int delimiter : { 0, 1, 2 }) {
        mainWindow().setReportAction(3);
        mainWindow().setExportDelimiter(delimiter);
        const int cursor = cursorAtTheLastRow(*dataMod().QryEmployee, [this] { doubleClickCatalogue(); });
        if (delimiter != 2) {
            EXPECT_EQ(cursor, Qt::WaitCursor);
        }
        EXPECT_EQ(dataMod().QryEmployee->SQL().value(2), QStringLiteral("WHERE Title LIKE 'DIRECTOR%'"));
        EXPECT_EQ(mainWindow().ReportAction(), 1);
    }
    EXPECT_TRUE(previews().isEmpty());
    EXPECT_TRUE(printed().isEmpty());

    doubleClickCatalogue();
    EXPECT_EQ(previews().size(), 1);
}

TEST_F(ListCommandTest, ANumberOutsideTheListsRunsNothing)
{
    execute(QStringLiteral("UPDATE Report SET ReportNumber = 0 WHERE ReportNumber = 5"));
    execute(QStringLiteral("UPDATE Report SET ReportNumber = 8 WHERE ReportNumber = 6"));
    execute(QStringLiteral("UPDATE Report SET ReportNumber = -1 WHERE ReportNumber = 7"));
    openMainWindow();
    for (const char* name : { "Directors", "Team Leaders", "Extended Employee Listing" }) {
        selectList(QString::fromUtf8(name));
        doubleClickCatalogue();
        mainWindow().PrinttoPrinter1->trigger();
        EXPECT_EQ(mainWindow().ReportAction(), 1);
    }
    EXPECT_TRUE(previews().isEmpty());
    EXPECT_TRUE(printed().isEmpty());
    EXPECT_EQ(dataMod().QryEmployee->SQL(), storedEmployeeQuery);
    EXPECT_TRUE(m_recorder.messages().isEmpty());
}

TEST_F(ListCommandTest, WhileARunIsInProgressTheRunCommandsAreRefused)
{
    TFrmMain& window = openMainWindow();
    selectList(QStringLiteral("Employee Listing"));
    int runs = 0;
    bool commandsEnabled = true;
    m_recorder.driveDialog([&](QDialog&) {
        ++runs;
        commandsEnabled = window.PrintListing1->isEnabled() || window.ToolBtnPrinter->isEnabled()
            || window.ExportToAsciiFile1->isEnabled() || window.ToolBtnExport->isEnabled();
        doubleClickCatalogue();
        window.PrinttoPrinter1Click();
    });
    window.PrintListing1->trigger();

    EXPECT_EQ(runs, 1);
    EXPECT_EQ(m_recorder.dialogTitles().size(), 1) << "the preview opened no other window";
    EXPECT_FALSE(commandsEnabled);
    EXPECT_TRUE(printed().isEmpty());
    EXPECT_TRUE(window.PrintListing1->isEnabled());
    EXPECT_TRUE(window.ToolBtnPrinter->isEnabled());
}

TEST_F(ListCommandTest, AFailedRunIsReportedAndLeavesPreviewAsTheAction)
{
    ASSERT_TRUE(QFile::remove(databaseFolder() + QStringLiteral("/employee.DB")));
    openMainWindow();
    selectList(QStringLiteral("Employee Listing"));
    mainWindow().PrinttoPrinter1->trigger();

    ASSERT_EQ(m_recorder.messages().size(), 1);
    EXPECT_EQ(m_recorder.messages().front().kind, modal::MessageKind::Error);
    EXPECT_TRUE(m_recorder.messages().front().text.contains(QStringLiteral("employee"), Qt::CaseInsensitive));
    EXPECT_EQ(mainWindow().ReportAction(), 1);
    EXPECT_TRUE(mainWindow().PrinttoPrinter1->isEnabled());
}

// Which rows each title list selects: capitals only, the Directors list by the title's start, the others anywhere
// in the title.
TEST_F(ListCommandTest, TitleListsSelectTheirEmployeesAndLeaveNearMissesOut)
{
    const QStringList titles { "DIRECTOR OF FUN", "ASSISTANT TO THE DIRECTOR", "director of lower case",
        "SENIOR TEAM LEADER", "TEAM LEAD", "V.P. SALES", "SVP STRATEGY", "ASSISTANT CONTROLLER", "Vice President" };
    for (int row = 0; row < titles.size(); ++row) {
        execute(QStringLiteral("INSERT INTO employee (Department, Name, Title) VALUES ('Test', 'ZZ%1, TEST', '%2')")
                    .arg(row)
                    .arg(titles.at(row)));
    }
    openMainWindow();
    const auto selected = [this](const char* list) {
        selectList(QString::fromUtf8(list));
        doubleClickCatalogue();
        QStringList picked;
        db::Query& query = *dataMod().QryEmployee;
        for (query.First(); !query.Eof(); query.Next()) {
            const QString name = query.FieldByName("Name").AsString();
            if (name.startsWith(u"ZZ"))
                picked << query.FieldByName("Title").AsString();
        }
        return picked;
    };
    EXPECT_EQ(selected("Directors"), QStringList { "DIRECTOR OF FUN" });
    EXPECT_EQ(selected("Team Leaders"), QStringList { "SENIOR TEAM LEADER" });
    EXPECT_EQ(selected("Vice Presidents and Controllers"),
        (QStringList { "V.P. SALES", "SVP STRATEGY", "ASSISTANT CONTROLLER" }));
}

} // namespace
