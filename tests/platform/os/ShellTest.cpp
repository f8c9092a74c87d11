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
    makeProgram(programFolder.filePath(QStringLiteral("Companion")));
    makeProgram(programFolder.filePath(QStringLiteral("Legacy.exe")));
    makeProgram(pathFolder.filePath(QStringLiteral("Companion")));
    makeProgram(pathFolder.filePath(QStringLiteral("Tool")));
    const QStringList path = { pathFolder.path() };

    const QString beside = programFolder.filePath(QStringLiteral("Companion"));
    EXPECT_EQ(os::findProgramFile(QStringLiteral("Companion.exe"), programFolder.path(), path), beside);
    EXPECT_EQ(os::findProgramFile(QStringLiteral("Companion.EXE"), programFolder.path(), path), beside);
    EXPECT_EQ(os::findProgramFile(QStringLiteral("Companion"), programFolder.path(), path), beside);
    EXPECT_EQ(os::findProgramFile(QStringLiteral("Legacy.exe"), programFolder.path(), path),
        programFolder.filePath(QStringLiteral("Legacy.exe")));
    EXPECT_EQ(os::findProgramFile(QStringLiteral("Tool.Exe"), programFolder.path(), path),
        pathFolder.filePath(QStringLiteral("Tool")));
    EXPECT_EQ(os::findProgramFile(QStringLiteral("companion"), programFolder.path(), path), QString())
        << "file names keep their letter case";
    EXPECT_EQ(os::findProgramFile(QStringLiteral("Missing.exe"), programFolder.path(), path), QString());
    EXPECT_EQ(os::findProgramFile(QString(), programFolder.path(), path), QString());
}

TEST(ShellTest, OpenStartsTheProgramWithItsParameterTextAsArguments)
{
    QTemporaryDir folder;
    const QString dump = folder.filePath(QStringLiteral("arguments"));
    qputenv("ARGV_DUMP_FILE", dump.toLocal8Bit());
    // The helper lies beside the test program, which is where the shell looks first.
    const bool started = os::shellOpen(QStringLiteral("os_argv_dump.exe"), QStringLiteral("Tesk \"two words\""));
    qunsetenv("ARGV_DUMP_FILE");
    ASSERT_TRUE(started);
    EXPECT_EQ(waitForDumpedArguments(dump), QStringList({ QStringLiteral("Tesk"), QStringLiteral("two words") }));

    EXPECT_FALSE(os::shellOpen(QStringLiteral("NoSuchProgram.exe"), QStringLiteral("Tesk"), folder.path()));
}

} // namespace
