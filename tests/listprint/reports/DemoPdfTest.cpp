#include "ListDirectory.h"
#include "ListLayout.h"
#include "TemporaryAlias.h"

#include "common/DirectoryDatabase.h"
#include "listprint/reports/TQRDepartment.h"
#include "listprint/reports/TQREmployeeExt.h"
#include "listprint/reports/TQREmployeeList.h"
#include "listprint/reports/TQRShortList.h"
#include "platform/db/Session.h"
#include "platform/report/LayoutEngine.h"
#include "platform/report/ReportOutput.h"
#include "setup/DirectoryInstaller.h"

#include <QDate>
#include <QLocale>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QDate printDate(2024, 3, 5);

// The demo directory installed by the set-up tool in a temporary folder, under the directory's alias; each list is
// written to PDF as the list printer would print it, and read back as text with pdftotext.
class DemoPdfTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DirectoryInstaller(m_alias.folder()).installDemo();
        db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
    }

    void TearDown() override { db::Session::defaultSession().RemoveAllPasswords(); }

    // The employee query with the list printer's text for a list.
    static std::unique_ptr<db::Query> employees(
        const QStringList& lines = { QStringLiteral("ORDER BY Name") }, const QString& department = {})
    {
        return ListDirectory::openEmployees(DirectoryDatabase::Alias, lines, department);
    }

    // The pages of the PDF that the layout writes, as pdftotext reads them, each with its runs of white space made
    // one blank.
    QStringList pdfPages(report::Report& layout) const
    {
        const QString pdf = m_alias.path(layout.objectName() + QStringLiteral(".pdf"));
        report::ReportOutput::writePdf(*layout.layOut(printDate), pdf);
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
        EXPECT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (Debian package poppler-utils) did not run";
        EXPECT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
        QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast(); // pdftotext ends every page with a form feed
        for (QString& page : pages)
            page = page.simplified();
        return pages;
    }

private:
    TemporaryAlias m_alias { DirectoryDatabase::Alias, QStringLiteral("directory") };
};

QString printed()
{
    return QLocale::system().toString(printDate, QLocale::ShortFormat);
}

} // namespace

TEST_F(DemoPdfTest, EmployeeList)
{
    // Every employee of the demo, under a letter for each of A to Z. A cellular or pager number wider than its
    // column goes on in a second line of its row, which pdftotext reads after the rest of the row.
    const QStringList pages = pdfPages(*titled<TQREmployeeList>(*employees(), QStringLiteral("Employee Listing")));
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(
        pages[0].startsWith("Employee Listing Name Phone/Ext. Cellular Pager # Department A ABERNATHY, MARGARET "
                            "4001 * (555) ADMINISTRATION 012-3301"))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains("EDWARDS, KAREN (555) 010-4700 EXT (555) SALES 701 012-3371"))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].endsWith(QStringLiteral("Date Print: %1 * Has Voice Mail Page: 1").arg(printed())))
        << pages[0].toStdString();
    // The G continues on page 2 without a second letter.
    EXPECT_TRUE(pages[1].startsWith("Name Phone/Ext. Cellular Pager # Department GRUBER, ANNA 4103 ACCOUNTING H"))
        << pages[1].toStdString();
    EXPECT_TRUE(pages[1].endsWith("Page: 2"));
    EXPECT_TRUE(pages[2].endsWith("Z ZIMMERMANN, KLAUS 4601 * (555) (555) MANUFACTURING 012-3361 013-0061"))
        << pages[2].toStdString(); // the last page has no footer
}

TEST_F(DemoPdfTest, ShortList)
{
    const auto query
        = employees({ QStringLiteral("WHERE Title LIKE '%V.P.%' OR"), QStringLiteral("Title LIKE '%CONTROLLER%' OR"),
            QStringLiteral("Title LIKE '%VP%'"), QStringLiteral("ORDER BY Name") });
    const QStringList pages
        = pdfPages(*titled<TQRShortList>(*query, QStringLiteral("Vice Presidents and Controllers")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].startsWith("Vice Presidents and Controllers Name Phone/Ext. Department Cellular Pager # "
                                    "BRENNAN, PATRICK 4101 * ACCOUNTING"))
        << pages[0].toStdString();
    for (const char* name : { "COLLINS, DAVID", "DUBOIS, CLAIRE", "EDWARDS, KAREN", "KOWALSKI, PIOTR" })
        EXPECT_TRUE(pages[0].contains(name)) << name;
    EXPECT_FALSE(pages[0].contains("PRICE, WILLIAM")); // "Vice President" in words
    EXPECT_FALSE(pages[0].contains("Page:")); // one page: no footer
}

TEST_F(DemoPdfTest, OneDepartmentList)
{
    const auto query = employees({ QStringLiteral("WHERE Department = :ParmDept") }, QStringLiteral("ACCOUNTING"));
    const QStringList pages = pdfPages(*titled<TQRSelectDepartment>(*query, QStringLiteral("ACCOUNTING")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].startsWith("ACCOUNTING Name Phone/Ext. Title Cellular Pager # BRENNAN, PATRICK 4101 * "
                                    "CONTROLLER"))
        << pages[0].toStdString();
    for (const char* name : { "DUBOIS, CLAIRE", "GRUBER, ANNA", "HALVORSEN, ERIK", "MENDOZA, ROSA", "PRICE, WILLIAM" })
        EXPECT_TRUE(pages[0].contains(name)) << name;
    EXPECT_FALSE(pages[0].contains("SALES"));
    EXPECT_FALSE(pages[0].contains("Date Printed:"));
}

TEST_F(DemoPdfTest, DepartmentList)
{
    const auto table = ListDirectory::openDepartments(DirectoryDatabase::Alias);
    TQRDepartment list(*table);
    const QStringList pages = pdfPages(list);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].startsWith("Department Listing Department Phone/Ext. Fax Number Address 1 Address 2 "
                                    "ACCOUNTING 4100 OR 4101 (555) 010-4199 Head Office, 2nd Floor 1200 Harbor Road"))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains("SHIPPING AND RECEIVING 4800 (555) 010-4899 Warehouse B 92 Foundry Street"))
        << pages[0].toStdString();
    EXPECT_FALSE(pages[0].contains("Page:"));
}

TEST_F(DemoPdfTest, ExtendedList)
{
    const QStringList pages
        = pdfPages(*titled<TQREmployeeExt>(*employees(), QStringLiteral("Extended Employee Listing")));
    ASSERT_EQ(pages.size(), 2);
    // The two columns side by side; a name too long for its box takes a second line of its row.
    EXPECT_TRUE(pages[0].startsWith("Extended Employee Listing Name Extension Title Name Extension Title A G "
                                    "ABERNATHY, 4001 * PRESIDENT GALLAGHER, ROSE (555) 010-4700 ACCOUNT MANAGER "
                                    "MARGARET EXT 703"))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].endsWith(QStringLiteral("Date:%1 Page 1").arg(printed()))) << pages[0].toStdString();
    EXPECT_TRUE(pages[1].startsWith("Name Extension Title P PATEL, RAVI 4307 * ENGINEER")) << pages[1].toStdString();
    EXPECT_TRUE(pages[1].endsWith(QStringLiteral("Date:%1 Page 2").arg(printed()))) << pages[1].toStdString();
}
