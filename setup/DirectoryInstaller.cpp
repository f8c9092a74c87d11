#include "setup/DirectoryInstaller.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"
#include "setup/DemoDirectory.h"
#include "setup/InstallationData.h"
#include "setup/RowValues.h"
#include "setup/SetupError.h"

#include <QDir>
#include <QFile>
#include <QList>

namespace {

struct NewTable
{
    QLatin1StringView name;
    db::TableDef definition;
};

QList<NewTable> tables()
{
    using namespace DirectoryDatabase;
    return {
        { EmployeeTable, employeeDefinition() },
        { DepartmentTable, departmentDefinition() },
        { AuxiliarTable, auxiliarDefinition() },
        { SpecialTable, specialDefinition() },
        { ReportTable, reportDefinition() },
    };
}

template <typename Row> void insertAll(db::TableLoad& load, const QList<Row>& rows)
{
    for (const Row& row : rows)
        load.insert(RowValues::of(row));
}

template <typename Row> void fill(db::TableFile& table, const QList<Row>& rows)
{
    db::TableLoad load(table);
    insertAll(load, rows);
    load.commit();
}

} // namespace

DirectoryInstaller::DirectoryInstaller(QString folder)
    : m_folder(std::move(folder))
{
}

void DirectoryInstaller::install(const Filler& filler) const
{
    if (!QDir().mkpath(m_folder))
        throw SetupError(QStringLiteral("Cannot create the folder %1").arg(m_folder));
    replaceInterruptedInstall();
    const QString existing = existingTable();
    if (!existing.isEmpty()) {
        throw SetupError(QStringLiteral("%1 already holds a directory (%2); choose an empty folder or remove the "
                                        "directory's tables first")
                             .arg(QDir::toNativeSeparators(m_folder), existing));
    }
    // The tables are made aside and come into the folder only when all of them are whole: a set-up that is
    // killed half way leaves no table in the folder, or a staging folder that says the set-up did not finish.
    QDir staging(stagingFolder());
    if (!QDir().mkpath(staging.path()))
        throw SetupError(QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(staging.path())));
    try {
        createTables(staging, filler);
    } catch (...) {
        staging.removeRecursively();
        throw;
    }
    moveTablesIn(staging);
}

QString DirectoryInstaller::stagingFolder() const
{
    return QDir(m_folder).filePath(QLatin1StringView(StagingFolderName));
}

void DirectoryInstaller::replaceInterruptedInstall() const
{
    QDir staging(stagingFolder());
    if (!staging.exists())
        return;
    // The staging folder goes last when a set-up ends, and the folder held none of the tables when it was made;
    // so whichever tables lie beside it came from the set-up that was stopped.
    const QDir folder(m_folder);
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (isTableFile(entry))
            QFile::remove(folder.filePath(entry));
    }
    if (!staging.removeRecursively()) {
        throw SetupError(QStringLiteral("Cannot remove %1, left by a set-up that did not finish")
                             .arg(QDir::toNativeSeparators(staging.path())));
    }
}

void DirectoryInstaller::moveTablesIn(QDir& staging) const
{
    const QDir folder(m_folder);
    for (const QString& entry : staging.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!QFile::rename(staging.filePath(entry), folder.filePath(entry))) {
            throw SetupError(QStringLiteral("Cannot move %1 into %2").arg(entry, QDir::toNativeSeparators(m_folder)));
        }
    }
    if (!staging.removeRecursively()) {
        throw SetupError(
            QStringLiteral("Cannot remove the staging folder %1").arg(QDir::toNativeSeparators(staging.path())));
    }
}

void DirectoryInstaller::installDemo() const
{
    install([](db::TableLoad& departments, db::TableLoad& employees) {
        insertAll(departments, DemoDirectory::departments());
        insertAll(employees, DemoDirectory::employees());
    });
}

void DirectoryInstaller::createTables(const QDir& folder, const Filler& filler) const
{
    for (const NewTable& table : tables())
        db::TableFile::create(folder.filePath(table.name), table.definition, DirectoryDatabase::TablePassword);

    db::Session session;
    session.AddPassword(DirectoryDatabase::TablePassword);
    {
        db::TableFile reports(folder.filePath(DirectoryDatabase::ReportTable), session);
        fill(reports, InstallationData::reportRows());
        db::TableFile passwords(folder.filePath(DirectoryDatabase::AuxiliarTable), session);
        fill(passwords, InstallationData::editPasswords());
        db::TableFile specials(folder.filePath(DirectoryDatabase::SpecialTable), session);
        fill(specials, InstallationData::specialNumbers());
    }
    if (filler) {
        db::TableFile departments(folder.filePath(DirectoryDatabase::DepartmentTable), session);
        db::TableFile employees(folder.filePath(DirectoryDatabase::EmployeeTable), session);
        db::TableLoad departmentLoad(departments);
        db::TableLoad employeeLoad(employees);
        filler(departmentLoad, employeeLoad);
        departmentLoad.commit();
        employeeLoad.commit();
    }
}

QString DirectoryInstaller::existingTable() const
{
    const QStringList entries = QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (isTableFile(entry))
            return entry;
    }
    return {};
}

bool DirectoryInstaller::isTableFile(const QString& fileName)
{
    // Table names compare without regard to case, so "EMPLOYEE.DB" is the employee table as much as ours would be;
    // a table's journal belongs to it.
    for (const NewTable& table : tables()) {
        for (const char* suffix : { "", "-journal", "-wal", "-shm" }) {
            if (fileName.compare(table.name + QLatin1StringView(suffix), Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}
