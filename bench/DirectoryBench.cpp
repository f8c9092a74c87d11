#include "bench/DirectoryBench.h"

#include "common/DirectoryDatabase.h"
#include "directory/ImportWorkFolder.h"
#include "platform/db/BatchMove.h"
#include "platform/db/EngineError.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/db/TableFile.h"
#include "platform/db/TextSchema.h"

#include <QDir>
#include <QFileInfo>

QStringList DirectoryBench::letterListSql()
{
    return { QStringLiteral("SELECT DISTINCT Name, Extension"), QStringLiteral("FROM \"employee.DB\" "),
        QStringLiteral("WHERE Name LIKE  :LastFirstName"), QStringLiteral("ORDER BY Name, Extension") };
}

DirectoryBench::DirectoryBench(QString folder)
    : m_folder(QDir(folder).absolutePath())
    , m_config("DBENGINE_CONFIG", m_configDir.filePath(QStringLiteral("aliases.ini")))
{
    if (!QFileInfo(m_folder).isDir())
        throw db::EngineError(QStringLiteral("The directory folder %1 does not exist").arg(m_folder));
    if (!m_configDir.isValid())
        throw db::EngineError(QStringLiteral("Cannot create a temporary folder: %1").arg(m_configDir.errorString()));
    db::Session::writeAlias(DirectoryDatabase::Alias, m_folder, m_configDir.filePath(QStringLiteral("aliases.ini")));
    m_session.AddPassword(DirectoryDatabase::TablePassword);
}

std::unique_ptr<db::Table> DirectoryBench::openEmployees()
{
    auto table = std::make_unique<db::Table>();
    table->setSession(m_session);
    table->setDatabaseName(DirectoryDatabase::Alias);
    table->setTableName(DirectoryDatabase::EmployeeTable);
    table->setIndexName(DirectoryDatabase::ByNameIndex);
    table->Open();
    return table;
}

std::unique_ptr<db::Query> DirectoryBench::openEmployeeList(const QStringList& fields)
{
    auto query = std::make_unique<db::Query>();
    query->setObjectName(QStringLiteral("QryEmployee"));
    query->setSession(m_session);
    query->setDatabaseName(DirectoryDatabase::Alias);
    for (const QString& field : fields)
        query->addField(field);
    query->setSQL({ QStringLiteral("Select * "), QStringLiteral("FROM employee "), QStringLiteral("ORDER BY Name") });
    query->Open();
    return query;
}

QStringList DirectoryBench::readFirstRows(int rows)
{
    const std::unique_ptr<db::Table> table = openEmployees();
    const db::Field& name = table->FieldByName(QStringLiteral("Name"));
    QStringList names;
    for (; names.size() < rows && !table->Eof(); table->Next())
        names << name.AsString();
    return names;
}

QString DirectoryBench::locateName(db::Table& table, const QString& prefix)
{
    if (!table.Locate(QStringLiteral("Name"), prefix, db::LocateOption::CaseInsensitive | db::LocateOption::PartialKey))
        return {};
    return table.FieldByName(QStringLiteral("Name")).AsString();
}

QString DirectoryBench::lastThenPrior(db::Table& table, int priors)
{
    table.Last();
    for (int i = 0; i < priors; ++i)
        table.Prior();
    return table.FieldByName(QStringLiteral("Name")).AsString();
}

qint64 DirectoryBench::letterList(const QString& pattern)
{
    db::Query query;
    query.setSession(m_session);
    query.setDatabaseName(DirectoryDatabase::Alias);
    query.setSQL(letterListSql());
    query.addField(QStringLiteral("Name"));
    query.addField(QStringLiteral("Extension"));
    query.ParamByName(QStringLiteral("LastFirstName")).setAsString(pattern);
    query.Open();
    const db::Field& name = query.FieldByName(QStringLiteral("Name"));
    const db::Field& extension = query.FieldByName(QStringLiteral("Extension"));
    qint64 rows = 0;
    for (; !query.Eof(); query.Next()) {
        // Every value is read, as a report reads it.
        name.AsString();
        extension.AsString();
        ++rows;
    }
    return rows;
}

qint64 DirectoryBench::walk(db::Table& table)
{
    const db::Field& name = table.FieldByName(QStringLiteral("Name"));
    qint64 rows = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        name.AsString();
        ++rows;
    }
    return rows;
}

void DirectoryBench::createEmptyEmployees(const QString& destinationPath)
{
    db::TableFile::create(destinationPath, DirectoryDatabase::employeeDefinition(), DirectoryDatabase::TablePassword);
}

qint64 DirectoryBench::appendFromText(const QString& textPath, const QString& destinationPath)
{
    return move(textPath, db::Table::Type::Ascii, destinationPath, db::BatchMove::Mode::Append);
}

qint64 DirectoryBench::previewFromText(const QString& textPath, const QString& previewPath)
{
    return move(textPath, db::Table::Type::Ascii, previewPath, db::BatchMove::Mode::Copy);
}

qint64 DirectoryBench::importPreview(const QString& previewPath, const QString& destinationPath)
{
    return move(previewPath, db::Table::Type::Default, destinationPath, db::BatchMove::Mode::Append);
}

qint64 DirectoryBench::previewFromCopy(const QString& textPath, const QString& previewPath)
{
    const ImportWorkFolder work(textPath, QFileInfo(textPath).fileName(), db::TextSchema::schemaPathFor(textPath));
    return previewFromText(work.workPath(), previewPath);
}

qint64 DirectoryBench::move(
    const QString& sourcePath, db::Table::Type sourceType, const QString& destinationPath, db::BatchMove::Mode mode)
{
    const auto table = [this](db::Table& table, const QString& path) {
        table.setSession(m_session);
        table.setDatabaseName(DirectoryDatabase::Alias);
        table.setTableName(QFileInfo(path).absoluteFilePath());
    };
    db::Table source;
    table(source, sourcePath);
    source.setTableType(sourceType);
    db::Table destination;
    table(destination, destinationPath);

    db::BatchMove move;
    move.setSource(&source);
    move.setDestination(&destination);
    move.setMode(mode);
    // An append sets its refused rows aside, as the import does.
    if (mode == db::BatchMove::Mode::Append)
        move.setKeyViolTableName(QFileInfo(destinationPath).absoluteDir().filePath(DirectoryDatabase::DupTable));
    move.setAbortOnKeyViol(false);
    move.setAbortOnProblem(false);
    move.Execute();
    m_lastRefused = move.KeyViolCount();
    return move.MovedCount();
}
