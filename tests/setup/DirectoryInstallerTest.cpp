#include "setup/DirectoryInstaller.h"

#include "SetupTestFolder.h"
#include "TestFiles.h"
#include "TestPrinters.h"
#include "platform/db/EngineError.h"
#include "platform/db/Query.h"
#include "platform/db/TableLoad.h"
#include "setup/DemoDirectory.h"
#include "setup/SetupError.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using namespace DirectoryDatabase;

QStringList column(SetupTestFolder& folder, const QStringList& sql, const QString& field, const QString& param = {})
{
    db::Query query;
    query.setSession(folder.session());
    query.setDatabaseName(Alias);
    query.setSQL(sql);
    if (!param.isNull())
        query.Params(0).setAsString(param);
    query.Open();
    QStringList values;
    for (query.First(); !query.Eof(); query.Next())
        values << query.FieldByName(field).AsString();
    return values;
}

TEST(DirectoryInstallerTest, DemoTablesOpenOnlyWithThePassword)
{
    SetupTestFolder folder;
    DirectoryInstaller(folder.path()).installDemo();

    const db::Session stranger;
    const QList<std::pair<QLatin1StringView, qint64>> tables { { EmployeeTable, DemoDirectory::employees().size() },
        { DepartmentTable, DemoDirectory::departments().size() }, { AuxiliarTable, 1 }, { SpecialTable, 4 },
        { ReportTable, 7 } };
    for (const auto& [name, rows] : tables) {
        SCOPED_TRACE(name.data());
        EXPECT_EQ(folder.open(name)->rowCount(), rows);
        EXPECT_THROW(db::TableFile(folder.file(name), stranger), db::EngineError);
    }
}

TEST(DirectoryInstallerTest, CatalogueHoldsTheSevenListsUnderTheirTabs)
{
    SetupTestFolder folder;
    DirectoryInstaller(folder.path()).installDemo();
    const QStringList catalogue { "SELECT Name, ReportNumber, Area, Description", "FROM Report",
        "WHERE Area = :parmArea", "ORDER BY Name" };

    QStringList employeeLists = column(folder, catalogue, "ReportNumber", "Employee");
    QStringList departmentLists = column(folder, catalogue, "ReportNumber", "Department");
    employeeLists.sort();
    departmentLists.sort();
    EXPECT_EQ(employeeLists, (QStringList { "1", "4", "5", "6", "7" }));
    EXPECT_EQ(departmentLists, (QStringList { "2", "3" }));
    const QStringList descriptions = column(folder, catalogue, "Description", "Employee");
    EXPECT_TRUE(std::none_of(descriptions.cbegin(), descriptions.cend(), [](const QString& d) { return d.isEmpty(); }));
}

TEST(DirectoryInstallerTest, DemoTitlesFillTheTitleListsButNotWithNearMisses)
{
    SetupTestFolder folder;
    DirectoryInstaller(folder.path()).installDemo();
    const QList<QStringList> titleLists {
        { "Select * ", "FROM employee ", "WHERE Title LIKE '%V.P.%' OR", "Title LIKE '%CONTROLLER%' OR",
            "Title LIKE '%VP%'", "ORDER BY Name" },
        { "Select * ", "FROM employee ", "WHERE Title LIKE 'DIRECTOR%'", "ORDER BY Name" },
        { "Select * ", "FROM employee ", "WHERE Title LIKE '%TEAM LEADER%'", "ORDER BY Name" },
    };
    const QStringList nearMisses { "PRICE, WILLIAM", "CHEN, WEI", "QUINN, MAUREEN", "VARGA, ZOLTAN" };
    for (const QStringList& sql : titleLists) {
        SCOPED_TRACE(sql.at(2).toStdString());
        const QStringList names = column(folder, sql, "Name");
        EXPECT_GE(names.size(), 3);
        for (const QString& miss : nearMisses)
            EXPECT_FALSE(names.contains(miss)) << miss.toStdString();
    }
}

TEST(DirectoryInstallerTest, DemoDataKeepsTheConventions)
{
    const QList<TEmployeeRec> employees = DemoDirectory::employees();
    const QList<TDepartmentRec> departments = DemoDirectory::departments();
    EXPECT_GE(employees.size(), 40);
    EXPECT_GE(departments.size(), 6);

    const QRegularExpression lastCommaFirst("^[A-Z][A-Z' -]*, [A-Z][A-Z' -]*$");
    QSet<QString> departmentNames;
    for (const TDepartmentRec& row : departments)
        departmentNames.insert(row.Department);
    QString numbers;
    int homeless = 0;
    for (const TEmployeeRec& row : employees) {
        EXPECT_TRUE(lastCommaFirst.match(row.Name).hasMatch()) << row.Name.toStdString();
        EXPECT_FALSE(row.Extension.isEmpty()) << row.Name.toStdString();
        homeless += departmentNames.contains(row.Department) ? 0 : 1;
        numbers += row.Extension + u'|' + row.Cellular + u'|' + row.Pager + u'|' + row.HomePhone + u'|';
    }
    EXPECT_EQ(homeless, 1);
    for (const char* joint : { " OR ", " EXT ", ";", ",", "*" })
        EXPECT_TRUE(numbers.contains(QLatin1StringView(joint))) << joint;
}

TEST(DirectoryInstallerTest, RefusesAFolderThatHoldsADirectory)
{
    SetupTestFolder folder;
    DirectoryInstaller(folder.path()).installDemo();
    const std::string refused = failureOf<SetupError>([&] { DirectoryInstaller(folder.path()).install(); });
    EXPECT_NE(refused.find("already holds a directory"), std::string::npos) << refused;
    EXPECT_EQ(folder.open(EmployeeTable)->rowCount(), DemoDirectory::employees().size());

    // Table names compare without regard to case: a file named in other letters is a table all the same.
    SetupTestFolder other;
    ASSERT_TRUE(writeFile(other.file("EMPLOYEE.DB"), "keep me"));
    EXPECT_THROW(DirectoryInstaller(other.path()).installDemo(), SetupError);
    EXPECT_FALSE(QFile::exists(other.file(DepartmentTable)));
    EXPECT_EQ(readFile(other.file("EMPLOYEE.DB")), "keep me");
}

TEST(DirectoryInstallerTest, FailedInstallLeavesNoTables)
{
    SetupTestFolder folder;
    const DirectoryInstaller installer(folder.path());
    EXPECT_THROW(installer.install([](db::TableLoad& departments, db::TableLoad&) {
        departments.insert({ "SALES", "1", "", "", "" });
        departments.insert({ "SALES", "2", "", "", "" });
    }),
        db::KeyViolation);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty())
        << QDir(folder.path()).entryList().join(' ').toStdString();

    installer.installDemo(); // and the folder is fit for a new try
    EXPECT_EQ(folder.open(DepartmentTable)->rowCount(), DemoDirectory::departments().size());
}

} // namespace
