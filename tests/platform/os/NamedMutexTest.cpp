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
    std::optional<NamedMutex> first(std::in_place, QStringLiteral("Program"), m_folder.path());
    EXPECT_EQ(first->result(), Result::Created);
    EXPECT_TRUE(NamedMutex(QStringLiteral("Program"), m_folder.path()).alreadyExists());
    EXPECT_EQ(NamedMutex(QStringLiteral("PROGRAM"), m_folder.path()).result(), Result::Created);
    EXPECT_EQ(NamedMutex(QStringLiteral("Companion"), m_folder.path()).result(), Result::Created);

    first.reset();
    EXPECT_EQ(NamedMutex(QStringLiteral("Program"), m_folder.path()).result(), Result::Created);
}

TEST_F(NamedMutexTest, NamesThatAreNoFileNameAndUnusableFoldersFail)
{
    EXPECT_EQ(NamedMutex(QString(), m_folder.path()).result(), Result::Failed);
    EXPECT_EQ(NamedMutex(QStringLiteral("../Program"), m_folder.path()).result(), Result::Failed);
    QFile plain(m_folder.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    EXPECT_EQ(NamedMutex(QStringLiteral("Program"), plain.fileName()).result(), Result::Failed);
}

TEST_F(NamedMutexTest, AnotherProcessSeesItAndAKillReleasesIt)
{
    PeerProcess holder(m_folder.path());
    ASSERT_TRUE(holder.start({ QStringLiteral("--mutex"), QStringLiteral("Shared.bin") }));
    EXPECT_TRUE(holder.lines().contains(QStringLiteral("mutex created")));
    EXPECT_TRUE(NamedMutex(QStringLiteral("Shared.bin"), m_folder.path()).alreadyExists());

    holder.kill();
    const NamedMutex after(QStringLiteral("Shared.bin"), m_folder.path());
    EXPECT_EQ(after.result(), Result::Created);

    PeerProcess second(m_folder.path());
    ASSERT_TRUE(second.start({ QStringLiteral("--mutex"), QStringLiteral("Shared.bin") }));
    EXPECT_TRUE(second.lines().contains(QStringLiteral("mutex exists")));
}

TEST_F(NamedMutexTest, ProgramsStartedWhileHoldingItDoNotKeepIt)
{
    std::optional<NamedMutex> held(std::in_place, QStringLiteral("Launcher"), m_folder.path());
    ASSERT_EQ(held->result(), Result::Created);
    PeerProcess child(m_folder.path());
    ASSERT_TRUE(child.start({ QStringLiteral("--title"), QStringLiteral("Child") }));

    held.reset();
    EXPECT_EQ(NamedMutex(QStringLiteral("Launcher"), m_folder.path()).result(), Result::Created);
}

} // namespace
