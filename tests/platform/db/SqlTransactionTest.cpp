#include "ChildProcess.h"
#include "TestFiles.h"
#include "TestPrinters.h"

#include "platform/db/EngineError.h"
#include "platform/db/FileReplacement.h"
#include "platform/db/OwnerProcess.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlTransaction.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using db::SqlTransaction;

// Two connections to one file in a temporary folder: one writes, the other tells what is committed.
class SqlTransactionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_writer = open();
        m_writer->exec(QStringLiteral("CREATE TABLE t(v INTEGER)"));
        m_other = open();
    }

    std::unique_ptr<db::SqlConnection> open() const
    {
        return std::make_unique<db::SqlConnection>(
            m_folder.filePath(QStringLiteral("t.db")), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, QStringLiteral("t"));
    }

    static qint64 rows(const db::SqlConnection& connection)
    {
        db::SqlStatement count(connection, QStringLiteral("SELECT count(*) FROM t"));
        count.step();
        return count.columnInt(0);
    }

    void insert() const { m_writer->exec(QStringLiteral("INSERT INTO t VALUES (1)")); }

    QTemporaryDir m_folder;
    std::unique_ptr<db::SqlConnection> m_writer;
    std::unique_ptr<db::SqlConnection> m_other;
};

TEST_F(SqlTransactionTest, EachModeKeepsItsWorkOnlyWhenCommitted)
{
    for (const auto mode : { SqlTransaction::Mode::Deferred, SqlTransaction::Mode::Immediate }) {
        for (const bool commit : { false, true }) {
            const qint64 before = rows(*m_other);
            {
                SqlTransaction transaction(*m_writer, mode);
                insert();
                if (commit)
                    transaction.commit();
                EXPECT_EQ(transaction.active(), !commit);
            }
            EXPECT_FALSE(m_writer->inTransaction());
            EXPECT_EQ(rows(*m_other), before + (commit ? 1 : 0)) << static_cast<int>(mode) << commit;
        }
    }
}

TEST_F(SqlTransactionTest, DeferredReadsBesideAWriterWhereImmediateReportsTheFileBusy)
{
    SqlTransaction holder(*m_other);
    { // Reading needs no write lock.
        SqlTransaction reading(*m_writer, SqlTransaction::Mode::Deferred);
        EXPECT_EQ(rows(*m_writer), 0);
    }
    EXPECT_THROW(SqlTransaction(*m_writer, SqlTransaction::Mode::Immediate), db::EngineError);
    EXPECT_FALSE(m_writer->inTransaction());
}

// Writing a transaction's pages out ahead of its commit takes the file exclusively, or, beside a reader, leaves it in
// the pending lock and reports it busy under the names the caller gives for the failure.
TEST_F(SqlTransactionTest, WritingOutChangesTakesTheFileOrReportsItBusy)
{
    using Lock = db::SqlConnection::FileLock;
    EXPECT_EQ(m_writer->fileLock(QStringLiteral("main")), Lock::None);
    EXPECT_EQ(m_writer->fileLock(QStringLiteral("nowhere")), std::nullopt);
    for (const bool reader : { false, true }) {
        SCOPED_TRACE(reader);
        std::unique_ptr<SqlTransaction> reading;
        if (reader) {
            reading = std::make_unique<SqlTransaction>(*m_other, SqlTransaction::Mode::Deferred);
            rows(*m_other);
        }
        SqlTransaction writing(*m_writer, SqlTransaction::Mode::Immediate);
        EXPECT_EQ(m_writer->fileLock(QStringLiteral("main")), Lock::Reserved);
        insert();
        std::optional<bool> failedBusy;
        const auto writeOut = [&] {
            m_writer->writeOutChanges(QStringLiteral("COMMIT"), [&](bool busy) {
                failedBusy = busy;
                return QStringLiteral("t.db or u.db");
            });
        };
        if (reader) {
            EXPECT_EQ(failureOf<db::EngineError>(writeOut), "Table t.db or u.db is busy: another program is using it");
            EXPECT_EQ(failedBusy, true);
            EXPECT_EQ(m_writer->fileLock(QStringLiteral("main")), Lock::Pending);
        } else {
            writeOut();
            EXPECT_EQ(failedBusy, std::nullopt);
            EXPECT_EQ(m_writer->fileLock(QStringLiteral("main")), Lock::Exclusive);
        }
    }
    // Clean-up statements report failure without throwing.
    EXPECT_FALSE(m_writer->tryExec(QStringLiteral("DETACH DATABASE nowhere")));
    EXPECT_TRUE(m_writer->tryExec(QStringLiteral("PRAGMA main.schema_version")));
    EXPECT_EQ(rows(*m_other), 0);
}

TEST_F(SqlTransactionTest, ASavepointRolledBackUndoesOnlyItsOwnWork)
{
    {
        SqlTransaction outer(*m_writer);
        insert();
        {
            SqlTransaction inner(*m_writer, SqlTransaction::Mode::Savepoint);
            insert();
            insert();
        }
        EXPECT_TRUE(m_writer->inTransaction());
        EXPECT_EQ(rows(*m_writer), 1);
        {
            SqlTransaction inner(*m_writer, SqlTransaction::Mode::Savepoint);
            insert();
            inner.commit();
        }
        outer.commit();
    }
    EXPECT_EQ(rows(*m_other), 2);
}

TEST(FileReplacementTest, TheTargetIsTheOldFileOrTheWholeNewOne)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString target = folder.filePath(QStringLiteral("table.db"));
    ASSERT_TRUE(writeFile(target, "old"));
    ASSERT_TRUE(writeFile(target + QStringLiteral("-journal"), "journal of the old file"));
    {
        db::FileReplacement abandoned(target);
        ASSERT_TRUE(writeFile(abandoned.buildingPath(), "half"));
        ASSERT_TRUE(writeFile(abandoned.buildingPath() + QStringLiteral("-journal"), "half"));
    }
    EXPECT_EQ(readFile(target), "old");
    {
        db::FileReplacement replacement(target);
        EXPECT_EQ(QFileInfo(replacement.buildingPath()).absolutePath(), QFileInfo(target).absolutePath());
        ASSERT_TRUE(writeFile(replacement.buildingPath(), "new"));
        EXPECT_TRUE(replacement.replaceTarget());
    }
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("table.db") });
}

TEST(FileReplacementTest, ATargetThatCannotBeReplacedIsReported)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString target = folder.filePath(QStringLiteral("table.db"));
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral("/inside"))); // a folder that is not empty cannot be replaced
    {
        db::FileReplacement replacement(target);
        ASSERT_TRUE(writeFile(replacement.buildingPath(), {}));
        EXPECT_FALSE(replacement.replaceTarget());
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

TEST(OwnerProcessTest, OnlyAProcessThatNoLongerRunsHasEnded)
{
    EXPECT_TRUE(db::OwnerProcess::hasEnded(ChildProcess::endedProcessId()));
    // This process, the first process (another user's when the test is not root), and ids that are no process id.
    for (const QString& id :
        { db::OwnerProcess::currentId(), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("-1"),
            QStringLiteral("0042"), QStringLiteral("99999999999"), QStringLiteral("12ab"), QString() }) {
        EXPECT_FALSE(db::OwnerProcess::hasEnded(id)) << id.toStdString();
    }
}

// A builder killed before it could remove its building file leaves it, and its journal; the next replacement of the
// same target removes them once that process has ended, and leaves everything else.
TEST(FileReplacementTest, BuildingFilesOfEndedProcessesGoAtTheNextReplacement)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString ended = ChildProcess::endedProcessId();
    const QString hex = QStringLiteral("-00c0ffee00c0ffee");
    struct Leftover
    {
        QString name;
        bool removed;
    };
    const Leftover leftovers[] = {
        { "table.db.new-" + ended + hex, true },
        { "table.db.new-" + ended + hex + "-journal", true },
        { "table.db.new-" + ended + hex + ".new-" + ended + hex, true }, // a table built beside it in turn
        { "TABLE.DB.new-" + ended + hex, true },
        { "table.db.new-" + db::OwnerProcess::currentId() + hex, false }, // a running builder's
        { "table.db.new-1" + hex, false },
        { "table.db.new-00c0ffee00c0ffee", false }, // named before the names carried a process id
        { "other.db.new-" + ended + hex, false }, // another target's
        { "table.db", false },
    };
    for (const Leftover& leftover : leftovers)
        ASSERT_TRUE(writeFile(folder.filePath(leftover.name), "x"));

    db::FileReplacement replacement(folder.filePath(QStringLiteral("table.db")));
    for (const Leftover& leftover : leftovers)
        EXPECT_NE(QFileInfo::exists(folder.filePath(leftover.name)), leftover.removed) << leftover.name.toStdString();
    EXPECT_TRUE(QFileInfo(replacement.buildingPath())
                    .fileName()
                    .startsWith(QStringLiteral("table.db.new-%1-").arg(db::OwnerProcess::currentId())));
}

TEST(FileReplacementTest, ABuildingPathStandsForItsTarget)
{
    db::FileReplacement outer(QStringLiteral("/data/DestTable.db"));
    db::FileReplacement inner(outer.buildingPath());
    EXPECT_EQ(db::FileReplacement::targetOf(outer.buildingPath()), QStringLiteral("/data/DestTable.db"));
    EXPECT_EQ(db::FileReplacement::targetOf(inner.buildingPath()), QStringLiteral("/data/DestTable.db"));
    EXPECT_EQ(
        db::FileReplacement::targetOf(QStringLiteral("/data/notes.new-1-2")), QStringLiteral("/data/notes.new-1-2"));
}

} // namespace
