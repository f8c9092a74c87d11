#include "platform/os/NamedMutex.h"

#include "PeerProcess.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

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
