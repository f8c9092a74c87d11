#include "platform/os/PlainFile.h"

#include "TestFiles.h"

#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

TEST(PlainFileTest, OnlyAPlainFileALinkToOneOrNothingMayBeOpenedAsAFile)
{
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
    ASSERT_TRUE(writeFile(at("plain"), "x"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("pipe")).constData(), 0600), 0);
    QLocalServer socket;
    ASSERT_TRUE(socket.listen(at("socket")));
    for (const auto& [link, target] : { std::pair { "link to plain", "plain" }, { "link to pipe", "pipe" },
             { "link to folder", "." }, { "link nowhere", "nowhere" } })
        ASSERT_TRUE(QFile::link(at(target), at(link)));

    const struct
    {
        QString path;
        os::FileKind kind;
        const char* refusal;
    } cases[] = {
        { at("plain"), os::FileKind::Plain, "" },
        { at("link to plain"), os::FileKind::Plain, "" },
        { at("new"), os::FileKind::Missing, "" },
        { at("link nowhere"), os::FileKind::Missing, "" },
        { at("plain/below"), os::FileKind::Missing, "" }, // the open says why
        { dir.path(), os::FileKind::Folder, "it is a folder, not a plain file" },
        { at("link to folder"), os::FileKind::Folder, "it is a folder, not a plain file" },
        { at("pipe"), os::FileKind::NamedPipe, "it is a named pipe, not a plain file" },
        { at("link to pipe"), os::FileKind::NamedPipe, "it is a named pipe, not a plain file" },
        { "/dev/zero", os::FileKind::Device, "it is a device, not a plain file" },
        { at("socket"), os::FileKind::Socket, "it is a socket, not a plain file" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(os::fileKind(c.path), c.kind);
        EXPECT_EQ(os::notAPlainFile(c.path), QLatin1String(c.refusal));
    }
}

} // namespace
