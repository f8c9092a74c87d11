#include "platform/os/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using os::SettingsStore;

namespace {

const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString key = QStringLiteral("Software\\Maker\\Product 1.0");

class SettingsStoreTest : public ::testing::Test
{
protected:
    QTemporaryDir m_folder;
    SettingsStore m_store { root, key, m_folder.path() };
};

TEST_F(SettingsStoreTest, KeyPathMapsToOneFileInsideTheFolder)
{
    EXPECT_EQ(
        m_store.filePath(), m_folder.path() + QStringLiteral("/HKEY_LOCAL_MACHINE/Software/Maker/Product 1.0.ini"));
    const SettingsStore climbing(root, QStringLiteral("..\\..\\/Elsewhere\\.\\x"), m_folder.path());
    EXPECT_EQ(climbing.filePath(), m_folder.path() + QStringLiteral("/HKEY_LOCAL_MACHINE/Elsewhere/x.ini"));
}

TEST_F(SettingsStoreTest, MissingStoreSectionOrValueReadsTheDefault)
{
    EXPECT_EQ(m_store.readString(QStringLiteral("1.0"), QStringLiteral("Prefix")), QString());
    EXPECT_EQ(
        m_store.readString(QStringLiteral("1.0"), QStringLiteral("Prefix"), QStringLiteral("9")), QStringLiteral("9"));
    ASSERT_TRUE(m_store.writeString(QStringLiteral("1.0"), QStringLiteral("Other"), QStringLiteral("x")));
    EXPECT_EQ(
        m_store.readString(QStringLiteral("1.0"), QStringLiteral("Prefix"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(
        m_store.readString(QStringLiteral("2.0"), QStringLiteral("Other"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(SettingsStoreTest, ValuesNamesAndSectionsRoundTripExactly)
{
    const QStringList texts = { QString(), QStringLiteral("*70"), QStringLiteral("  spaced out  "),
        QStringLiteral("a;b # not a comment"), QStringLiteral("x=y=z"), QStringLiteral("[not a section]"),
        QStringLiteral("C:\\temp\\u0041\\"), QStringLiteral("two\nlines\r\n"), QStringLiteral("\ttab\t"),
        QStringLiteral("Ünïcödé €"), QString(QChar(0x1)) + QStringLiteral("control"), QStringLiteral(";leading") };
    for (int i = 0; i < texts.size(); ++i) {
        const QString section = QStringLiteral(" section [%1] ").arg(i);
        const QString name = texts.at(i) + QStringLiteral("=name%1").arg(i);
        ASSERT_TRUE(m_store.writeString(section, name, texts.at(i))) << i;
    }
    for (int i = 0; i < texts.size(); ++i) {
        const QString section = QStringLiteral(" section [%1] ").arg(i);
        const QString name = texts.at(i) + QStringLiteral("=name%1").arg(i);
        EXPECT_EQ(m_store.readString(section, name, QStringLiteral("default")), texts.at(i)) << i;
    }
}

TEST_F(SettingsStoreTest, WritesReplaceOneValueAndKeepTheOthers)
{
    ASSERT_TRUE(m_store.writeString(QStringLiteral("1.0"), QStringLiteral("Special Char"), QStringLiteral("9")));
    ASSERT_TRUE(m_store.writeString(QStringLiteral("1.0"), QStringLiteral("Other"), QStringLiteral("o")));
    ASSERT_TRUE(m_store.writeString(QStringLiteral("Window"), QStringLiteral("Special Char"), QStringLiteral("w")));
    ASSERT_TRUE(m_store.writeString(QStringLiteral("1.0"), QStringLiteral("SPECIAL CHAR"), QString()));

    // Names compare as registry names do, without regard to letter case.
    EXPECT_EQ(
        m_store.readString(QStringLiteral("1.0"), QStringLiteral("special char"), QStringLiteral("d")), QString());
    EXPECT_EQ(m_store.readString(QStringLiteral("1.0"), QStringLiteral("Other")), QStringLiteral("o"));
    EXPECT_EQ(m_store.readString(QStringLiteral("WINDOW"), QStringLiteral("Special Char")), QStringLiteral("w"));

    const SettingsStore otherRoot(QStringLiteral("HKEY_CURRENT_USER"), key, m_folder.path());
    EXPECT_EQ(otherRoot.readString(QStringLiteral("Window"), QStringLiteral("Special Char"), QStringLiteral("d")),
        QStringLiteral("d"));
}

TEST_F(SettingsStoreTest, HandWrittenFileIsRead)
{
    QDir().mkpath(QFileInfo(m_store.filePath()).absolutePath());
    QFile file(m_store.filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; remembered settings\r\n\r\n[1.0]\r\nSpecial Char = *70 \r\n# another comment\r\nno equals sign\r\n");
    file.close();
    EXPECT_EQ(m_store.readString(QStringLiteral("1.0"), QStringLiteral("Special Char")), QStringLiteral("*70"));
}

TEST_F(SettingsStoreTest, UnusableStoreReadsDefaultsAndReportsFailedWrites)
{
    // Tests may run as root, which no file mode stops: a file where a folder should be, and a folder where the
    // file should be, stop anyone.
    QFile blocker(m_folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SettingsStore underFile(root, key, blocker.fileName());
    EXPECT_FALSE(underFile.writeString(QStringLiteral("1.0"), QStringLiteral("Prefix"), QStringLiteral("9")));
    EXPECT_EQ(underFile.readString(QStringLiteral("1.0"), QStringLiteral("Prefix"), QStringLiteral("d")),
        QStringLiteral("d"));

    ASSERT_TRUE(QDir().mkpath(m_store.filePath()));
    EXPECT_FALSE(m_store.writeString(QStringLiteral("1.0"), QStringLiteral("Prefix"), QStringLiteral("9")));
    EXPECT_EQ(
        m_store.readString(QStringLiteral("1.0"), QStringLiteral("Prefix"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(QFileInfo(m_store.filePath()).isDir());
}

} // namespace
