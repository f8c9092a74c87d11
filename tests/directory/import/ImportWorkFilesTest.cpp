#include "ChildProcess.h"
#include "ImportFixture.h"

#include "platform/db/OwnerProcess.h"
#include "platform/ui/DBGrid.h"

#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// No file of this process may grow beyond the size while the object lives: writes past it fail as they fail on a
// full disk, without a file system of that size (which would take a mount).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        // The signal a write past the limit raises would end the process; the write is to fail instead.
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before {};
    void (*m_handler)(int) = nullptr;
};

// The import's temporary folder is one of the test's own.
class ImportWorkFilesTest : public ImportFixture
{
protected:
    ImportWorkFilesTest()
    {
        QDir().mkpath(temporaryFolder());
        m_environment.setVariable("TMPDIR", temporaryFolder());
    }

    QString temporaryFolder() const { return m_environment.path(QStringLiteral("tmp")); }
    QStringList temporaryEntries() const
    {
        return QDir(temporaryFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QStringList databaseEntries(const QString& pattern) const
    {
        return QDir(m_environment.databaseFolder()).entryList({ pattern }, QDir::Files | QDir::Hidden);
    }

    // A preview of comma-delimited departments that fails: one error box, the earlier preview left as it was.
    QString failedPreview(const QString& file)
    {
        m_modal.clear();
        preview(Kind::Department, 0, file);
        EXPECT_EQ(m_modal.messages().size(), 1);
        EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("5")) << "the earlier preview's count";
        EXPECT_EQ(dialog().DBGrid1->rowCount(), 5);
        EXPECT_EQ(temporaryEntries(), QStringList()) << "no copy is left behind";
        EXPECT_EQ(databaseEntries(QStringLiteral("*.new-*")), QStringList());
        return lastMessage();
    }
};

// Reading a named pipe would wait for a writer, and a device might never end: what is not a plain file (or a link
// to one) is refused before it is opened, and the earlier preview stays.
TEST_F(ImportWorkFilesTest, WhatIsNotAPlainFileIsRefusedBeforeItIsRead)
{
    preview(Kind::Employee, 0, sample("employees-comma.txt"));
    const QString pipe = m_environment.path(QStringLiteral("departments.pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString linkToPipe = m_environment.path(QStringLiteral("link-to-pipe.txt"));
    ASSERT_TRUE(QFile::link(pipe, linkToPipe));
    struct Case
    {
        QString file;
        const char* kind;
    };
    const Case cases[] = {
        { pipe, "a named pipe" },
        { linkToPipe, "a named pipe" },
        { QStringLiteral("/dev/zero"), "a device" },
        { m_environment.databaseFolder(), "a folder" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(failedPreview(c.file),
            QStringLiteral("Cannot import %1: it is %2, not a plain file").arg(c.file, QLatin1String(c.kind)));
        EXPECT_EQ(dialog().btnUpdate->text(), QStringLiteral("Import Employee"));
        EXPECT_TRUE(dialog().ImportPending);
    }

    const QString linkToFile = m_environment.path(QStringLiteral("link-to-departments.txt"));
    ASSERT_TRUE(QFile::link(sample("departments-comma.txt"), linkToFile));
    preview(Kind::Department, 0, linkToFile);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("4")) << "a link to a plain file is read";
}

// Errors name the files the user has, never the private copies that are gone when the message shows, nor the name
// a table has while it is built; a full temporary folder is not a file that cannot be read.
TEST_F(ImportWorkFilesTest, ErrorsNameTheUsersFiles)
{
    // Short unquoted lines: the preview table takes more room than the text.
    QByteArray departments;
    for (int i = 0; i < 20000; ++i)
        departments += QStringLiteral("D%1,1,,,\n").arg(i, 5, 10, QLatin1Char('0')).toLatin1();
    if (departments.size() % 4096 == 0)
        departments += "\n";
    const QString file = writeFile(QStringLiteral("departments.txt"), departments);
    const QString schema = QDir(m_environment.databaseFolder()).filePath(QStringLiteral("departcom.SCH"));
    const QByteArray schemaText = readFile(schema);

    struct Case
    {
        const char* what;
        QByteArray schema;
        std::optional<qint64> fileSizeLimit;
        QStringList named;
    };
    const Case cases[] = {
        { "a bad line in the schema file", schemaText + "field6=Extra\n", {},
            { schema + QStringLiteral(", line "), QStringLiteral("field6 needs name,type,size") } },
        { "a full temporary folder", schemaText, departments.size() / 2,
            { QStringLiteral("Cannot copy the file %1 to the temporary folder %2: ").arg(file, temporaryFolder()),
                QStringLiteral("The import needs "), QStringLiteral(" of free space there.") } },
        // A full disk fails a write part-way ("the disk is full"); past a file size limit the next write fails
        // outright ("disk I/O error"). Either way the table is named as the user knows it.
        { "a full database folder", schemaText, departments.size(), { QStringLiteral("DestTable.db: ") } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        preview(Kind::Employee, 0, sample("employees-comma.txt"));
        ASSERT_TRUE(::writeFile(schema, c.schema));
        QString message;
        {
            std::optional<FileSizeLimit> limit;
            if (c.fileSizeLimit)
                limit.emplace(*c.fileSizeLimit);
            message = failedPreview(file);
        }
        for (const QString& part : c.named)
            EXPECT_TRUE(message.contains(part)) << message.toStdString() << "\nlacks: " << part.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("ringfolio-import-"))) << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral(".new-"))) << message.toStdString();
        ASSERT_TRUE(::writeFile(schema, schemaText));
    }
    preview(Kind::Department, 0, file);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("20000"));
}

// A program killed during a preview leaves its work folder and its half-built preview table; the next preview
// (and the next start) removes them once that program no longer runs. What a running program, or another user,
// still has stays, and so do files named before the names carried a process id.
TEST_F(ImportWorkFilesTest, LeftoversOfKilledPreviewsGo)
{
    const QString ended = ChildProcess::endedProcessId();
    const QString running = db::OwnerProcess::currentId();
    const QDir temporary(temporaryFolder());
    const QDir database(m_environment.databaseFolder());
    struct Leftover
    {
        QDir folder;
        QString name;
        bool isFolder;
        bool removed;
    };
    QList<Leftover> leftovers = {
        { temporary, "ringfolio-import-" + ended + "-a1B2c3", true, true },
        { temporary, "ringfolio-import-" + running + "-d4E5f6", true, false },
        { temporary, "ringfolio-import-G7h8I9", true, false },
        { database, "DestTable.db.new-" + ended + "-00c0ffee00c0ffee", false, true },
        { database, "DestTable.db.new-" + ended + "-00c0ffee00c0ffee-journal", false, true },
        { database, "TempTable.db.new-" + ended + "-00c0ffee00c0ffee", false, true },
        { database, "DestTable.db.new-" + running + "-00c0ffee00c0ffee", false, false },
        { database, "DestTable.db.new-00c0ffee00c0ffee", false, false },
    };
    if (::getuid() == 0) // a folder of another user can only be made as root
        leftovers.append({ temporary, "ringfolio-import-" + ended + "-j0K1l2", true, false });
    const auto makeLeftovers = [&] {
        for (const Leftover& leftover : leftovers) {
            const QString path = leftover.folder.filePath(leftover.name);
            if (leftover.isFolder) {
                ASSERT_TRUE(QDir().mkpath(path));
                ASSERT_TRUE(::writeFile(QDir(path).filePath(QStringLiteral("employeecom.dll")), "copy"));
            } else {
                ASSERT_TRUE(::writeFile(path, "half-built"));
            }
        }
        const QString others = temporary.filePath("ringfolio-import-" + ended + "-j0K1l2");
        if (QFileInfo::exists(others)) {
            ASSERT_EQ(::chown(QFile::encodeName(others).constData(), 65534, 65534), 0);
        }
    };
    const auto checkLeftovers = [&] {
        for (const Leftover& leftover : leftovers) {
            EXPECT_NE(QFileInfo::exists(leftover.folder.filePath(leftover.name)), leftover.removed)
                << leftover.name.toStdString();
        }
    };

    makeLeftovers();
    preview(Kind::Employee, 0, sample("employees-comma.txt"));
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("5"));
    checkLeftovers();

    makeLeftovers();
    TfrmImportAscii::removeAbandonedWork(); // as the program's start does
    checkLeftovers();
}

} // namespace
