#include "platform/os/Shell.h"

#include "PeerProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void makeProgram(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ShellTest, ProgramIsFoundBesideTheProgramThenOnThePathWithExeDroppedWhereMissing)
{
    QTemporaryDir programFolder;
    QTemporaryDir pathFolder;
    makeProgram(programFolder.filePath("Companion"));
    makeProgram(programFolder.filePath("Legacy.exe"));
    makeProgram(pathFolder.filePath("Companion"));
    makeProgram(pathFolder.filePath("Tool"));
    const QStringList path = { pathFolder.path() };

    const QString beside = programFolder.filePath("Companion");
    EXPECT_EQ(os::findProgramFile("Companion.exe", programFolder.path(), path), beside);
    EXPECT_EQ(os::findProgramFile("Companion.EXE", programFolder.path(), path), beside);
    EXPECT_EQ(os::findProgramFile("Companion", programFolder.path(), path), beside);
    EXPECT_EQ(os::findProgramFile("Legacy.exe", programFolder.path(), path), programFolder.filePath("Legacy.exe"));
    EXPECT_EQ(os::findProgramFile("Tool.Exe", programFolder.path(), path), pathFolder.filePath("Tool"));
    EXPECT_EQ(os::findProgramFile("companion", programFolder.path(), path), QString())
        << "file names keep their letter case";
    EXPECT_EQ(os::findProgramFile("Missing.exe", programFolder.path(), path), QString());
    EXPECT_EQ(os::findProgramFile(QString(), programFolder.path(), path), QString());
}

TEST(ShellTest, OpenStartsTheProgramWithItsParameterTextAsArguments)
{
    QTemporaryDir folder;
    const QString dump = folder.filePath("arguments");
    qputenv("ARGV_DUMP_FILE", dump.toLocal8Bit());
    // The helper lies beside the test program, which is where the shell looks first.
    const bool started = os::shellOpen("os_argv_dump.exe", "Tesk \"two words\"");
    qunsetenv("ARGV_DUMP_FILE");
    ASSERT_TRUE(started);
    EXPECT_EQ(waitForDumpedArguments(dump), QStringList({ "Tesk", "two words" }));

    EXPECT_FALSE(os::shellOpen("NoSuchProgram.exe", "Tesk", folder.path()));
}

} // namespace
