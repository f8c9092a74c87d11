#include "platform/os/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using os::SettingsStore;

namespace {

const QString root = "HKEY_LOCAL_MACHINE";
const QString key = "Software\\Maker\\Product 1.0";

class SettingsStoreTest : public ::testing::Test
{
protected:
    QTemporaryDir m_folder;
    SettingsStore m_store { root, key, m_folder.path() };
};

TEST_F(SettingsStoreTest, KeyPathMapsToOneFileInsideTheFolder)
{
    EXPECT_EQ(m_store.filePath(), m_folder.path() + "/HKEY_LOCAL_MACHINE/Software/Maker/Product 1.0.ini");
    const SettingsStore climbing(root, "..\\..\\/Elsewhere\\.\\x", m_folder.path());
    EXPECT_EQ(climbing.filePath(), m_folder.path() + "/HKEY_LOCAL_MACHINE/Elsewhere/x.ini");
}

TEST_F(SettingsStoreTest, MissingStoreSectionOrValueReadsTheDefault)
{
    EXPECT_EQ(m_store.readString("1.0", "Prefix"), QString());
    EXPECT_EQ(m_store.readString("1.0", "Prefix", "9"), "9");
    ASSERT_TRUE(m_store.writeString("1.0", "Other", "x"));
    EXPECT_EQ(m_store.readString("1.0", "Prefix", "d"), "d");
    EXPECT_EQ(m_store.readString("2.0", "Other", "d"), "d");
}

TEST_F(SettingsStoreTest, ValuesNamesAndSectionsRoundTripExactly)
{
    const QStringList texts = { QString(), "*70", "  spaced out  ", "a;b # not a comment", "x=y=z", "[not a section]",
        "C:\\temp\\u0041\\", "two\nlines\r\n", "\ttab\t", "Ünïcödé €", QString(QChar(0x1)) + "control", ";leading" };
    const auto section = [](int i) { return QStringLiteral(" section [%1] ").arg(i); };
    const auto name = [&texts](int i) { return texts.at(i) + QStringLiteral("=name%1").arg(i); };
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(m_store.writeString(section(i), name(i), texts.at(i))) << i;
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(m_store.readString(section(i), name(i), "default"), texts.at(i)) << i;
}

TEST_F(SettingsStoreTest, WritesReplaceOneValueAndKeepTheOthers)
{
    ASSERT_TRUE(m_store.writeString("1.0", "Special Char", "9"));
    ASSERT_TRUE(m_store.writeString("1.0", "Other", "o"));
    ASSERT_TRUE(m_store.writeString("Window", "Special Char", "w"));
    ASSERT_TRUE(m_store.writeString("1.0", "SPECIAL CHAR", QString()));

    // Names compare as registry names do, without regard to letter case.
    EXPECT_EQ(m_store.readString("1.0", "special char", "d"), QString());
    EXPECT_EQ(m_store.readString("1.0", "Other"), "o");
    EXPECT_EQ(m_store.readString("WINDOW", "Special Char"), "w");

    const SettingsStore otherRoot("HKEY_CURRENT_USER", key, m_folder.path());
    EXPECT_EQ(otherRoot.readString("Window", "Special Char", "d"), "d");
}

TEST_F(SettingsStoreTest, HandWrittenFileIsRead)
{
    QDir().mkpath(QFileInfo(m_store.filePath()).absolutePath());
    QFile file(m_store.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; remembered settings\r\n\r\n[1.0]\r\nSpecial Char = *70 \r\n# another comment\r\nno equals sign\r\n");
    file.close();
    EXPECT_EQ(m_store.readString("1.0", "Special Char"), "*70");
}

TEST_F(SettingsStoreTest, UnusableStoreReadsDefaultsAndReportsFailedWrites)
{
    // Tests may run as root, which no file mode stops: a file where a folder should be, and a folder where the
    // file should be, stop anyone.
    QFile blocker(m_folder.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SettingsStore underFile(root, key, blocker.fileName());
    EXPECT_FALSE(underFile.writeString("1.0", "Prefix", "9"));
    EXPECT_EQ(underFile.readString("1.0", "Prefix", "d"), "d");

    ASSERT_TRUE(QDir().mkpath(m_store.filePath()));
    EXPECT_FALSE(m_store.writeString("1.0", "Prefix", "9"));
    EXPECT_EQ(m_store.readString("1.0", "Prefix", "d"), "d");
    EXPECT_TRUE(QFileInfo(m_store.filePath()).isDir());
}

} // namespace
