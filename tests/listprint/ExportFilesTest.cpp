#include "ExportFixture.h"

#include "listprint/TSelectionDlg.h"
#include "platform/ui/DBLookupComboBox.h"

#include <QApplication>
#include <QTest>

#include <ostream>

namespace {

struct ExporterCase
{
    const char* catalogueName;
    QList<QStringList> lines; // header first
    const char* message; // %1 the file
    const char* department = nullptr; // list 2: the department chosen
    const char* before = nullptr; // a change to the directory before the run

    friend void PrintTo(const ExporterCase& exporter, std::ostream* out)
    {
        *out << exporter.catalogueName << (exporter.before ? " after a change" : "");
    }
};

const QStringList employeeHeader { "Last Name", "First Name", "Phone/Extension", "Cellular", "Pager", "Department" };

class ExportFilesTest : public ExportFixture, public ::testing::WithParamInterface<ExporterCase>
{
protected:
    // Runs the current list with export as the action, choosing the department in the chooser for list 2.
    void runExport(const char* department)
    {
        if (department) {
            answerChooser([department](TSelectionDlg& chooser) {
                while (chooser.DBLookupComboBoxSelect->currentText() != QString::fromUtf8(department)
                    && chooser.DBLookupComboBoxSelect->currentIndex() + 1 < chooser.DBLookupComboBoxSelect->count())
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            });
        }
        mainWindow().setReportAction(3);
        mainWindow().DBGridMainDblClick();
    }
};

TEST_P(ExportFilesTest, EachFormatWritesTheWholeFileAndNamesItInItsMessage)
{
    const ExporterCase& exporter = GetParam();
    if (exporter.before)
        execute(QString::fromUtf8(exporter.before));
    openMainWindow();
    selectList(QString::fromUtf8(exporter.catalogueName));
    for (const int delimiter : { 0, 1 }) {
        SCOPED_TRACE(delimiter == 0 ? "comma" : "tab");
        m_recorder.clear();
        const QString file = path(QStringLiteral("list%1.txt").arg(delimiter));
        mainWindow().setExportDelimiter(delimiter);
        mainWindow().setExportFileName(file);
        runExport(exporter.department);

        const QByteArray expected = delimiter == 0 ? commaLines(exporter.lines) : tabLines(exporter.lines);
        EXPECT_EQ(readFile(file).toStdString(), expected.toStdString());
        EXPECT_EQ(m_recorder.messageTexts(), QStringList { QString::fromUtf8(exporter.message).arg(file) });
        ASSERT_EQ(m_recorder.messages().size(), 1);
        EXPECT_EQ(m_recorder.messages().front().kind, modal::MessageKind::Information);
        EXPECT_EQ(mainWindow().ReportAction(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryExporter, ExportFilesTest,
    ::testing::Values(
        // A name without a comma is written whole as the last name; the first name after ",J" loses its J.
        ExporterCase { "Employee Listing",
            { employeeHeader, { "", "OHN", "102", "", "", "SALES" }, { "LEE", "", "107", "", "", "ACCOUNTING" },
                { "M\u00dcLLER", "J\u00d6RG", "105", "", "", "SALES" },
                { "O\"NEIL", "PAT", "x\"1, 2", "a\tb", "", "ACCOUNTING" }, { "PLAIN", "", "104", "", "", "SALES" },
                { "SMITH", "", "103", "", "", "ACCOUNTING" },
                { "SMITH", "JOHN", "100*", "555-1000", "555-2000", "SALES" },
                { "SMITH", "OHN", "101", "", "", "SALES" },
                { "\u5c71\u7530", "\u592a\u90ce", "106", "", "", "SALES" } },
            "The Employee Listing has been exported into %1" },
        ExporterCase { "Extended Employee Listing",
            { { "Last Name", "First Name", "Phone/Extension", "Title" }, { "", "OHN", "102", "TEAM LEADER" },
                { "LEE", "", "107", "CLERK" }, { "M\u00dcLLER", "J\u00d6RG", "105", "TEAM LEADER" },
                { "O\"NEIL", "PAT", "x\"1, 2", "DIRECTOR" }, { "PLAIN", "", "104", "VP FINANCE" },
                { "SMITH", "", "103", "CONTROLLER" }, { "SMITH", "JOHN", "100*", "V.P. SALES" },
                { "SMITH", "OHN", "101", "DIRECTOR OF SALES" }, { "\u5c71\u7530", "\u592a\u90ce", "106", "CLERK" } },
            "The Extended Employee Listing has been exported into %1" },
        // The table's own order; the catalogue's name of the list is in the message.
        ExporterCase { "Department Listing",
            { { "Department", "Phone/Extension", "Fax Number", "Address1", "Address2" },
                { "ACCOUNTING", "200", "201", "1 Main St", "Floor 2" },
                { "SALES", "300", "", "5 \"Quay\", Dock", "" } },
            "The Department Listing has been exported into %1" },
        // The short lists leave out a name without a comma (PLAIN, a VP) and write the department last.
        ExporterCase { "Vice Presidents and Controllers",
            { employeeHeader, { "SMITH", "", "103", "", "", "ACCOUNTING" },
                { "SMITH", "JOHN", "100*", "555-1000", "555-2000", "SALES" } },
            "The Vice Presidents and Controllers has been exported into %1" },
        ExporterCase { "Directors",
            { employeeHeader, { "O\"NEIL", "PAT", "x\"1, 2", "a\tb", "", "ACCOUNTING" },
                { "SMITH", "OHN", "101", "", "", "SALES" } },
            "The Directors has been exported into %1" },
        ExporterCase { "Team Leaders",
            { employeeHeader, { "", "OHN", "102", "", "", "SALES" },
                { "M\u00dcLLER", "J\u00d6RG", "105", "", "", "SALES" } },
            "The Team Leaders has been exported into %1" },
        // The rows of one department in the engine's order (its key), without PLAIN.
        ExporterCase { "Employees of a Department",
            { { "Last Name", "First Name", "Phone/Extension", "Cellular", "Pager", "Title" },
                { "", "OHN", "102", "", "", "TEAM LEADER" },
                { "M\u00dcLLER", "J\u00d6RG", "105", "", "", "TEAM LEADER" },
                { "SMITH", "JOHN", "100*", "555-1000", "555-2000", "V.P. SALES" },
                { "SMITH", "OHN", "101", "", "", "DIRECTOR OF SALES" },
                { "\u5c71\u7530", "\u592a\u90ce", "106", "", "", "CLERK" } },
            "The SALES department has been exported into %1", "SALES" },
        // A list without rows writes the header alone.
        ExporterCase { "Team Leaders", { employeeHeader }, "The Team Leaders has been exported into %1", nullptr,
            "DELETE FROM employee WHERE Title LIKE '%TEAM LEADER%'" }));

} // namespace
