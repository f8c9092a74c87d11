#pragma once

#include "ScopedEnvironmentVariable.h"
#include "platform/db/BatchMove.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace db {
class Query;
class Table;
} // namespace db

// The jobs the benchmarks time, each done the way the programs do it, over a directory folder (employee.DB and
// the other tables, as the set-up tool writes them). The alias names the folder through an alias configuration of
// its own, which DBENGINE_CONFIG points at while the object lives, so the user's configuration is left alone.
class DirectoryBench
{
public:
    // The letter list's query text, as the directory's data module runs it.
    static QStringList letterListSql();

    explicit DirectoryBench(QString folder);

    db::Session& session() { return m_session; }

    // employee.DB open in the browse order (ByName).
    std::unique_ptr<db::Table> openEmployees();

    // The list printer's employee query (QryEmployee: every employee in name order), opened, with `fields` as its
    // persistent fields where it has them.
    std::unique_ptr<db::Query> openEmployeeList(const QStringList& fields = {});

    // Opens employee.DB in ByName order and reads the names of its first `rows` rows, as a grid fills its page.
    QStringList readFirstRows(int rows);
    // Case-insensitive partial-key Locate on Name; the name found, or an empty string.
    static QString locateName(db::Table& table, const QString& prefix);
    // Last, then `priors` times Prior; the name reached.
    static QString lastThenPrior(db::Table& table, int priors);
    // Opens the letter list's query for a LIKE pattern and reads every row; the rows read.
    qint64 letterList(const QString& pattern);
    // Steps through every row with Next, reading each row's name; the rows visited.
    static qint64 walk(db::Table& table);
    // Creates an empty employee.DB (keys and indexes, protected) at `destinationPath`, replacing any file there.
    static void createEmptyEmployees(const QString& destinationPath);
    // Append-mode batch move from a delimited text file (with its schema file beside it) into the table at
    // `destinationPath`, refused rows going to DupTable.db beside it; the rows moved.
    qint64 appendFromText(const QString& textPath, const QString& destinationPath);
    // The import's two steps as its dialog runs them. The preview: a copy-mode batch move of a delimited text file
    // (schema file beside it) into a new preview table at `previewPath`; the import: an append-mode batch move of
    // that table into the table at `destinationPath`, refused rows going to DupTable.db beside it. The rows moved.
    qint64 previewFromText(const QString& textPath, const QString& previewPath);
    qint64 importPreview(const QString& previewPath, const QString& destinationPath);
    // The preview as the import dialog runs it: the text file and its schema file copied into the dialog's work
    // folder first, the preview table made from the copy, the folder removed. The rows moved.
    qint64 previewFromCopy(const QString& textPath, const QString& previewPath);
    // The rows the last batch move refused for a key violation.
    qint64 lastRefusedCount() const { return m_lastRefused; }

private:
    // A batch move of every row of the source file into the destination file; returns the rows moved.
    qint64 move(const QString& sourcePath, db::Table::Type sourceType, const QString& destinationPath,
        db::BatchMove::Mode mode);

    QString m_folder;
    QTemporaryDir m_configDir;
    ScopedEnvironmentVariable m_config;
    db::Session m_session;
    qint64 m_lastRefused = 0;
};
