#include "common/DirectoryDatabase.h"
#include "listprint/reports/TQRDepartment.h"
#include "listprint/reports/TQREmployeeExt.h"
#include "listprint/reports/TQREmployeeList.h"
#include "listprint/reports/TQRSelectDepartment.h"
#include "listprint/reports/TQRShortList.h"
#include "platform/db/Query.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/report/LayoutEngine.h"
#include "platform/report/ReportOutput.h"
#include "setup/DirectoryInstaller.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr const char* configVariable = "DBENGINE_CONFIG";
const QDate printDate(2024, 3, 5);

// The demo directory installed by the set-up tool in a temporary folder, under the directory's alias; each list is
// written to PDF as the list printer would print it, and read back as text with pdftotext.
class DemoPdfTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_previousConfig = qgetenv(configVariable);
        m_hadConfig = qEnvironmentVariableIsSet(configVariable);
        const QString config = m_folder.filePath(QStringLiteral("aliases.ini"));
        qputenv(configVariable, QFile::encodeName(config));
        const QString directory = m_folder.filePath(QStringLiteral("directory"));
        ASSERT_TRUE(QDir().mkpath(directory));
        db::Session::writeAlias(DirectoryDatabase::Alias, directory, config);
        DirectoryInstaller(directory).installDemo();
        db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
    }

    void TearDown() override
    {
        db::Session::defaultSession().RemoveAllPasswords();
        if (m_hadConfig)
            qputenv(configVariable, m_previousConfig);
        else
            qunsetenv(configVariable);
    }

    // The employee query with the list printer's text for a list.
    std::unique_ptr<db::Query> employees(const QStringList& lines, const QString& department = {})
    {
        auto query = std::make_unique<db::Query>();
        query->setObjectName(QStringLiteral("QryEmployee"));
        query->setDatabaseName(DirectoryDatabase::Alias);
        query->setSQL(QStringList { QStringLiteral("Select * "), QStringLiteral("FROM employee ") } + lines);
        if (query->ParamCount() > 0)
            query->Params(0).setAsString(department);
        query->Open();
        return query;
    }

    std::unique_ptr<db::Table> departments()
    {
        auto table = std::make_unique<db::Table>();
        table->setObjectName(QStringLiteral("TblSelectDepartment"));
        table->setDatabaseName(DirectoryDatabase::Alias);
        table->setTableName(DirectoryDatabase::DepartmentTable);
        table->Open();
        return table;
    }

    // The pages of the PDF that the layout writes, as pdftotext reads them, each with its runs of white space made
    // one blank.
    QStringList pdfPages(report::Report& layout, const QString& name)
    {
        const QString pdf = m_folder.filePath(name + QStringLiteral(".pdf"));
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
    QTemporaryDir m_folder;
    QByteArray m_previousConfig;
    bool m_hadConfig = false;
};

QString printed()
{
    return QLocale::system().toString(printDate, QLocale::ShortFormat);
}

} // namespace

TEST_F(DemoPdfTest, EmployeeList)
{
    const auto query = employees({ QStringLiteral("ORDER BY Name") });
    TQREmployeeList list(*query);
    list.LblReportTitle().setCaption(QStringLiteral("Employee Listing"));
    // Every employee of the demo, under a letter for each of A to Z. A cellular or pager number wider than its
    // column goes on in a second line of its row, which pdftotext reads after the rest of the row.
    const QStringList pages = pdfPages(list, QStringLiteral("employees"));
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
    TQRShortList list(*query);
    list.LblReportTitle().setCaption(QStringLiteral("Vice Presidents and Controllers"));
    const QStringList pages = pdfPages(list, QStringLiteral("short"));
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
    TQRSelectDepartment list(*query);
    list.QRLabelTitle().setCaption(QStringLiteral("ACCOUNTING"));
    const QStringList pages = pdfPages(list, QStringLiteral("accounting"));
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
    const auto table = departments();
    TQRDepartment list(*table);
    const QStringList pages = pdfPages(list, QStringLiteral("departments"));
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
    const auto query = employees({ QStringLiteral("ORDER BY Name") });
    TQREmployeeExt list(*query);
    list.LblReportTitle().setCaption(QStringLiteral("Extended Employee Listing"));
    const QStringList pages = pdfPages(list, QStringLiteral("extended"));
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
