// The folder of the window links and the lock files: taken only when it is this user's own and closed to others.
#include "platform/os/RuntimeFolder.h"

#include "OtherUser.h"
#include "ScopedEnvironmentVariable.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permission bits of path itself (not of what a link leads to); -1 when there is nothing.
int modeOf(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

bool makeFolder(const QString& path, mode_t mode)
{
    // mkdir's mode passes through the umask; chmod sets it as given.
    const QByteArray name = QFile::encodeName(path);
    return ::mkdir(name.constData(), 0700) == 0 && ::chmod(name.constData(), mode) == 0;
}

TEST(RuntimeFolderTest, OnlyAPrivateFolderOfThisUsersOwnIsTakenAndAMissingOneIsMadeSo)
{
    QTemporaryDir dir;
    const QString privateFolder = dir.filePath("private");
    ASSERT_TRUE(makeFolder(privateFolder, 0700));
    const struct
    {
        const char* name;
        std::function<bool(const QString&)> make; // what stands at the path before; true when made
        bool taken;
        int modeAfter; // of the path itself; -1 when nothing is there
    } cases[] = {
        { "missing", [](const QString&) { return true; }, true, 0700 },
        { "missing/with/parents", [](const QString&) { return true; }, true, 0700 },
        { "own", [](const QString& path) { return makeFolder(path, 0700); }, true, 0700 },
        { "readable by others", [](const QString& path) { return makeFolder(path, 0755); }, false, 0755 },
        { "open to the group", [](const QString& path) { return makeFolder(path, 0770); }, false, 0770 },
        { "link", [&](const QString& path) { return QFile::link(privateFolder, path); }, false, 0777 },
        { "link written with a slash/",
            [&](const QString& path) { return QFile::link(privateFolder, QDir::cleanPath(path)); }, false, 0777 },
        { "link nowhere", [&](const QString& path) { return QFile::link(dir.filePath("nowhere"), path); }, false,
            0777 },
        { "file", [](const QString& path) { return writeFile(path, "x"); }, false, 0644 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QLatin1String(c.name));
        const mode_t mask = ::umask(022);
        const bool made = c.make(path);
        ::umask(mask);
        ASSERT_TRUE(made);
        EXPECT_EQ(os::ensureRuntimeFolder(path), c.taken);
        EXPECT_EQ(modeOf(QDir::cleanPath(path)), c.modeAfter) << "a refused folder is left as it was";
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nowhere"))) << "nothing is made where a link leads";
    EXPECT_FALSE(os::ensureRuntimeFolder(QString()));
}

TEST(RuntimeFolderTest, WithoutARuntimeFolderOfItsOwnTheUserGetsANameOfTheirOwnInTheTemporaryFolder)
{
    QTemporaryDir temp;
    const ScopedEnvironmentVariable tmp("TMPDIR", temp.path());
    const ScopedEnvironmentVariable configured("APP_RUNTIME_DIR", QString());
    const ScopedEnvironmentVariable xdg("XDG_RUNTIME_DIR", QString());

    // Qt makes the user's runtime folder in the temporary folder; the links go into a folder of their own there.
    const QString usual = os::runtimeFolder();
    EXPECT_EQ(QFileInfo(usual).fileName(), QStringLiteral("app-links"));
    const QString runtime = QFileInfo(usual).path();
    EXPECT_EQ(QFileInfo(runtime).path(), temp.path());
    EXPECT_TRUE(os::ensureRuntimeFolder(usual));

    // Another user took the runtime folder's name first: the name of the user's own in the temporary folder,
    // never the runtime folder nor a name that all users share.
    if (!giveToAnotherUser(runtime))
        GTEST_SKIP() << "only root can give a folder to another user";
    const QString fallback = os::runtimeFolder();
    EXPECT_EQ(fallback, temp.filePath(QStringLiteral("app-links-%1").arg(::geteuid())));
    EXPECT_TRUE(os::ensureRuntimeFolder(fallback));
}

} // namespace
