#include "setup/DirectoryGenerator.h"

#include "SetupTestFolder.h"
#include "platform/db/TextTableReader.h"
#include "setup/RowValues.h"
#include "setup/SetupError.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

using namespace DirectoryDatabase;

TEST(DirectoryGeneratorTest, WritesTheTablesWithTheCountsAsked)
{
    SetupTestFolder folder;
    DirectoryGenerator(1000, 200).writeTables(folder.path());

    EXPECT_EQ(folder.open(EmployeeTable)->rowCount(), 1000);
    EXPECT_EQ(folder.open(DepartmentTable)->rowCount(), 200);
    EXPECT_EQ(folder.open(ReportTable)->rowCount(), 7);
}

TEST(DirectoryGeneratorTest, NamesStayUniqueInADepartmentAcrossWalksThroughTheNameLists)
{
    // One department takes every name, so its names walk through the name pairs again and again.
    const DirectoryGenerator generator(DirectoryGenerator::MaxEmployees, 1);
    const qint64 walk = DirectoryGenerator::namesPerWalk();
    ASSERT_LT(walk, 30'000);
    QSet<QString> names;
    qint64 count = 0;
    const auto take = [&](qint64 from, qint64 to) {
        for (qint64 i = from; i < to; ++i, ++count)
            names.insert(generator.employee(i).Name);
    };
    take(0, 30'000);
    for (const qint64 walks : { 26, 27, 52 }) // where the middle initial runs out of letters and starts again
        take(walks * walk - 500, walks * walk + 500);
    EXPECT_EQ(names.size(), count);
}

TEST(DirectoryGeneratorTest, EveryDepartmentNameIsDistinctAndCountsAreChecked)
{
    const DirectoryGenerator generator(0, DirectoryGenerator::maxDepartments());
    QSet<QString> names;
    for (int i = 0; i < generator.departmentCount(); ++i)
        names.insert(generator.department(i).Department);
    EXPECT_EQ(names.size(), generator.departmentCount());

    EXPECT_THROW(DirectoryGenerator(10, DirectoryGenerator::maxDepartments() + 1), SetupError);
    EXPECT_THROW(DirectoryGenerator(-1), SetupError);
}

TEST(DirectoryGeneratorTest, TextFileReadsBackThroughItsSchema)
{
    SetupTestFolder folder;
    const QString path = folder.file("employees.txt");
    const DirectoryGenerator generator(500);
    generator.writeText(path);

    db::TextTableReader reader(path, db::TextSchema::load(db::TextSchema::schemaPathFor(path)));
    QVariantList row;
    qint64 count = 0;
    while (reader.next(row)) {
        ASSERT_EQ(row, RowValues::of(generator.employee(count)));
        ++count;
    }
    EXPECT_EQ(count, 500);
    EXPECT_EQ(reader.problemCount(), 0) << reader.lastProblem().toStdString();
}

} // namespace
