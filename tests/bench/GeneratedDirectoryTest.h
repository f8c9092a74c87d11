#pragma once

#include "setup/DirectoryGenerator.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

// A directory of `Employees` generated employees in a temporary folder of the test's own, and what SQLite itself
// reads from its table files: what a benchmark's job is checked against, as the compare script's anchor reads it.
template <qint64 Employees> class GeneratedDirectoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(folder()));
        DirectoryGenerator(Employees, 20).writeTables(folder());
    }

    QString folder() const { return m_dir.filePath(QStringLiteral("directory")); }
    QString table(const QString& fileName) const { return folder() + u'/' + fileName; }
    QString employeeTable() const { return table(QStringLiteral("employee.DB")); }

    // The first column of every row the last statement gives, read straight from the table file at `path`; the
    // statements before it only set the connection up.
    static QStringList firstColumn(const QString& path, const QStringList& statements)
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
        const std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)> db(raw, &sqlite3_close_v2);
        EXPECT_EQ(rc, SQLITE_OK);
        QStringList values;
        for (const QString& sql : statements) {
            sqlite3_stmt* prepared = nullptr;
            EXPECT_EQ(sqlite3_prepare_v2(db.get(), sql.toUtf8().constData(), -1, &prepared, nullptr), SQLITE_OK)
                << sqlite3_errmsg(db.get());
            const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(prepared, &sqlite3_finalize);
            values.clear();
            while (sqlite3_step(statement.get()) == SQLITE_ROW)
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
        }
        return values;
    }

    QTemporaryDir m_dir;
};
