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
    const std::pair<QString, QString> cases[] = {
        { "Companion.exe", beside },
        { "Companion.EXE", beside },
        { "Companion", beside },
        { "Legacy.exe", programFolder.filePath("Legacy.exe") },
        { "Tool.Exe", pathFolder.filePath("Tool") },
        { "companion", QString() }, // file names keep their letter case
        { "Missing.exe", QString() },
        { QString(), QString() },
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(os::findProgramFile(name, programFolder.path(), path), expected) << name.toStdString();
}

TEST(ShellTest, OpenStartsTheProgramWithItsParameterTextAsArguments)
{
    QTemporaryDir folder;
    // The helper lies beside the test program, which is where the shell looks first.
    EXPECT_EQ(argumentsDumpedBy(folder.path(), [] { return os::shellOpen("os_argv_dump.exe", "Tesk \"two words\""); }),
        QStringList({ "Tesk", "two words" }));

    EXPECT_FALSE(os::shellOpen("NoSuchProgram.exe", "Tesk", folder.path()));
}

} // namespace
