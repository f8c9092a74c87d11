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

TEST(SetupCommandTest, BadArgumentsSayWhatIsWrongAndShowTheUsage)
{
    const QString range = QStringLiteral("needs a number of employees from 0 to 10000000, not ");
    const struct
    {
        QStringList arguments;
        QString says;
    } cases[] {
        { {}, "no command given" },
        { { "--frobnicate" }, "unknown command '--frobnicate'" },
        { { "--demo" }, "--demo needs a folder" },
        { { "--generate", "10" }, "--generate needs a folder after the number" },
        { { "--generate", "10", "--demo", "/tmp/x" }, "--generate needs a folder after the number" },
        { { "--generate", "--demo", "/tmp/x" }, "--generate needs a folder" },
        // A word before the path can only be the count.
        { { "--generate", "many", "/tmp/x" }, "--generate " + range + "'many'" },
        { { "--text", "abc", "/tmp/x.txt" }, "--text " + range + "'abc'" },
        { { "--text", "-5", "/tmp/x.txt" }, "--text " + range + "'-5'" },
        { { "--generate", "10000001", "/tmp/x" }, "--generate " + range + "'10000001'" },
        { { "--generate", "99999999999999999999", "/tmp/x" }, "--generate " + range + "'99999999999999999999'" },
        { { "--generate", "99999999999999999999" }, "--generate " + range + "'99999999999999999999'" },
        // Without a count the one argument is the path, so the next word is a command again.
        { { "--generate", "/tmp/x", "--frobnicate" }, "unknown command '--frobnicate'" },
        { { "--text", "/tmp/x.txt", "--frobnicate" }, "unknown command '--frobnicate'" },
    };
    for (const auto& [arguments, says] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = rfsetup(arguments);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.startsWith("rfsetup: " + says + '\n')) << run.err.toStdString();
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
