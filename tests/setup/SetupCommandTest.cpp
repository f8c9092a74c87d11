#include "setup/SetupCommand.h"

#include "SetupTestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int code = 0;
    QString out;
    QString err;
};

Outcome rfsetup(const QStringList& arguments)
{
    Outcome run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = SetupCommand(out, err).run(arguments);
    out.flush();
    err.flush();
    return run;
}

TEST(SetupCommandTest, BadArgumentsShowTheUsage)
{
    for (const QStringList& arguments : QList<QStringList> { {}, { "--frobnicate" }, { "--demo" },
             { "--generate", "many", "/tmp/x" }, { "--generate", "10" }, { "--text", "-5", "/tmp/x.txt" } }) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = rfsetup(arguments);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.contains("Usage: rfsetup")) << run.err.toStdString();
    }
}

TEST(SetupCommandTest, DemoThenAliasInOneRun)
{
    SetupTestFolder folder;
    const QString target = folder.file("demo");

    const Outcome run = rfsetup({ "--demo", target, "--alias", target });

    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("DIRECTORY")) << run.out.toStdString();
    EXPECT_EQ(
        QDir(folder.session().aliasFolder(DirectoryDatabase::Alias)).canonicalPath(), QDir(target).canonicalPath());
    for (const char* file : { "employee.DB", "departcom.SCH", "employeefix.SCH", "samples/employees-comma.txt" })
        EXPECT_TRUE(QFile::exists(QDir(target).filePath(file))) << file;

    const Outcome again = rfsetup({ "--demo", target });
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.contains("already holds a directory")) << again.err.toStdString();
}

TEST(SetupCommandTest, AliasNeedsAnExistingFolder)
{
    SetupTestFolder folder;
    const Outcome run = rfsetup({ "--alias", folder.file("nowhere") });
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("is not a folder")) << run.err.toStdString();
}

} // namespace
