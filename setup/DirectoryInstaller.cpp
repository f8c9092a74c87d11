#include "setup/DirectoryInstaller.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "platform/db/TableFile.h"
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

// Commits the rows added in its lifetime when asked; otherwise rolls them back.
class BulkLoad
{
public:
    explicit BulkLoad(db::TableFile& table)
        : m_table(table)
    {
        m_table.begin();
    }
    ~BulkLoad()
    {
        if (!m_committed) {
            try {
                m_table.rollback();
            } catch (...) {
                // The table is being abandoned; the installer removes its file.
            }
        }
    }
    BulkLoad(const BulkLoad&) = delete;
    BulkLoad& operator=(const BulkLoad&) = delete;

    void commit()
    {
        m_table.commit();
        m_committed = true;
    }

private:
    db::TableFile& m_table;
    bool m_committed = false;
};

template <typename Row> void fill(db::TableFile& table, const QList<Row>& rows)
{
    BulkLoad load(table);
    for (const Row& row : rows)
        table.insert(RowValues::of(row));
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
    const QString existing = existingTable();
    if (!existing.isEmpty()) {
        throw SetupError(QStringLiteral("%1 already holds a directory (%2); choose an empty folder or remove the "
                                        "directory's tables first")
                             .arg(QDir::toNativeSeparators(m_folder), existing));
    }
    try {
        createTables(filler);
    } catch (...) {
        for (const NewTable& table : tables()) {
            const QString path = QDir(m_folder).filePath(table.name);
            for (const char* suffix : { "", "-journal", "-wal", "-shm" })
                QFile::remove(path + QLatin1StringView(suffix));
        }
        throw;
    }
}

void DirectoryInstaller::installDemo() const
{
    install([](db::TableFile& departments, db::TableFile& employees) {
        for (const TDepartmentRec& row : DemoDirectory::departments())
            departments.insert(RowValues::of(row));
        for (const TEmployeeRec& row : DemoDirectory::employees())
            employees.insert(RowValues::of(row));
    });
}

void DirectoryInstaller::createTables(const Filler& filler) const
{
    const QDir folder(m_folder);
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
        BulkLoad departmentLoad(departments);
        BulkLoad employeeLoad(employees);
        filler(departments, employees);
        departmentLoad.commit();
        employeeLoad.commit();
    }
}

QString DirectoryInstaller::existingTable() const
{
    // Table names compare without regard to case, so "EMPLOYEE.DB" is the employee table as much as ours would be.
    const QStringList entries = QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const NewTable& table : tables()) {
        for (const QString& entry : entries) {
            if (entry.compare(table.name, Qt::CaseInsensitive) == 0)
                return entry;
        }
    }
    return {};
}
