#include "platform/os/NamedMutex.h"

#include "OtherUser.h"
#include "PeerProcess.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

using os::NamedMutex;
using Result = os::NamedMutex::Result;

namespace {

class NamedMutexTest : public ::testing::Test
{
protected:
    QTemporaryDir m_folder;
};

TEST_F(NamedMutexTest, HeldUntilDestroyedAndNamedWithLetterCaseKept)
{
    std::optional<NamedMutex> first(std::in_place, "Program", m_folder.path());
    EXPECT_EQ(first->result(), Result::Created);
    EXPECT_TRUE(NamedMutex("Program", m_folder.path()).alreadyExists());
    EXPECT_EQ(NamedMutex("PROGRAM", m_folder.path()).result(), Result::Created);
    EXPECT_EQ(NamedMutex("Companion", m_folder.path()).result(), Result::Created);

    first.reset();
    EXPECT_EQ(NamedMutex("Program", m_folder.path()).result(), Result::Created);
}

TEST_F(NamedMutexTest, NamesThatAreNoFileNameAndUnusableFoldersFail)
{
    EXPECT_EQ(NamedMutex(QString(), m_folder.path()).result(), Result::Failed);
    EXPECT_EQ(NamedMutex("../Program", m_folder.path()).result(), Result::Failed);
    QFile plain(m_folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    EXPECT_EQ(NamedMutex("Program", plain.fileName()).result(), Result::Failed);
}

TEST_F(NamedMutexTest, NoLockIsTakenWhereAnotherUserCouldHaveAHand)
{
    const QString folder = m_folder.filePath("links");
    ASSERT_TRUE(QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QString lockFile = folder + "/Program.lock";

    // A lock file that is a link: neither it nor the file it leads to is locked, created or changed.
    const QString target = m_folder.filePath("target");
    ASSERT_TRUE(QFile::link(target, lockFile));
    EXPECT_EQ(NamedMutex("Program", folder).result(), Result::Failed);
    EXPECT_FALSE(QFile::exists(target));
    ASSERT_TRUE(writeFile(target, "kept"));
    EXPECT_EQ(NamedMutex("Program", folder).result(), Result::Failed);
    EXPECT_EQ(readFile(target), "kept");

    // A named pipe in its place, which nobody writes to: refused at once.
    ASSERT_TRUE(QFile::remove(lockFile));
    ASSERT_EQ(::mkfifo(QFile::encodeName(lockFile).constData(), 0600), 0);
    EXPECT_EQ(NamedMutex("Program", folder).result(), Result::Failed);

    // A folder that others may enter, and another user's folder in which that user holds the lock.
    ASSERT_TRUE(
        QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::ReadOther | QFileDevice::ExeOther));
    EXPECT_EQ(NamedMutex("Other", folder).result(), Result::Failed);
    EXPECT_FALSE(QFile::exists(folder + "/Other.lock"));
    ASSERT_TRUE(
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const NamedMutex squatter("Other", folder);
    ASSERT_EQ(squatter.result(), Result::Created);
    if (!giveToAnotherUser(folder))
        GTEST_SKIP() << "only root can give a folder to another user";
    EXPECT_EQ(NamedMutex("Other", folder).result(), Result::Failed) << "not AlreadyExists: the copy runs";
}

TEST_F(NamedMutexTest, AnotherProcessSeesItAndAKillReleasesIt)
{
    PeerProcess holder(m_folder.path());
    ASSERT_TRUE(holder.start({ "--mutex", "Shared.bin" }));
    EXPECT_TRUE(holder.lines().contains("mutex created"));
    EXPECT_TRUE(NamedMutex("Shared.bin", m_folder.path()).alreadyExists());

    holder.kill();
    const NamedMutex after("Shared.bin", m_folder.path());
    EXPECT_EQ(after.result(), Result::Created);

    PeerProcess second(m_folder.path());
    ASSERT_TRUE(second.start({ "--mutex", "Shared.bin" }));
    EXPECT_TRUE(second.lines().contains("mutex exists"));
}

TEST_F(NamedMutexTest, ProgramsStartedWhileHoldingItDoNotKeepIt)
{
    std::optional<NamedMutex> held(std::in_place, "Launcher", m_folder.path());
    ASSERT_EQ(held->result(), Result::Created);
    PeerProcess child(m_folder.path());
    ASSERT_TRUE(child.start({ "--title", "Child" }));

    held.reset();
    EXPECT_EQ(NamedMutex("Launcher", m_folder.path()).result(), Result::Created);
}

} // namespace
