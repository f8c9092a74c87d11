#include "platform/os/PlainFile.h"

#include "TestFiles.h"

#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PlainFileTest, OnlyAPlainFileALinkToOneOrNothingMayBeOpenedAsAFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("plain"), "x"));
    ASSERT_TRUE(QFile::link(dir.filePath("plain"), dir.filePath("link to plain")));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("link nowhere")));
    QLocalServer socket;
    ASSERT_TRUE(socket.listen(dir.filePath("socket")));
    const struct
    {
        QString path;
        os::FileKind kind;
    } cases[] = {
        { dir.filePath("plain"), os::FileKind::Plain },
        { dir.filePath("link to plain"), os::FileKind::Plain },
        { dir.filePath("new"), os::FileKind::Missing },
        { dir.filePath("link nowhere"), os::FileKind::Missing },
        { dir.filePath("plain/below"), os::FileKind::Missing }, // the open says why
        { dir.path(), os::FileKind::Folder },
        { "/dev/zero", os::FileKind::Device },
        { dir.filePath("socket"), os::FileKind::Socket },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(os::fileKind(c.path), c.kind);
        const bool mayOpen = c.kind == os::FileKind::Plain || c.kind == os::FileKind::Missing;
        EXPECT_EQ(os::notAPlainFile(c.path).isEmpty(), mayOpen);
    }
    EXPECT_EQ(os::notAPlainFile(dir.filePath("socket")), "it is a socket, not a plain file");
}

} // namespace
