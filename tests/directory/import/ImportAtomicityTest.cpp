#include "ChildProcess.h"
#include "ChildRole.h"
#include "FileOperationTrap.h"
#include "ImportFixture.h"
#include "SqliteShell.h"

#include "common/DirectoryDatabase.h"
#include "directory/TfrmDataMod.h"
#include "platform/db/BatchMove.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <string>

namespace {

// The destination holds `heldRows` rows; the preview brings `importedRows`, of which every fourth repeats a key the
// destination holds and every fourth repeats the key of the row before it: half are refused, and the half added is
// many beside the rows there, so the import drops the destination's indexes and builds them again.
constexpr int heldRows = 2000;
constexpr int importedRows = 1600;

constexpr int childDeadlineMs = 60000;

QProcessEnvironment childEnvironment(const QString& table, qint64 stopAt)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("RF_IMPORT_CHILD_TABLE"), table);
    environment.insert(QStringLiteral("RF_IMPORT_CHILD_STOP"), QString::number(stopAt));
    return environment;
}

// The import's side, played by this binary started again, as the dialog's Import button runs it: the data
// module's batch move appends DestTable.db to the table named, stopped at the file operation the parent names, which
// kills it there; else each operation is written out.
const ChildRole importRole(QStringLiteral("import"), [] {
    const QString table = qEnvironmentVariable("RF_IMPORT_CHILD_TABLE");
    const qint64 stopAt = qEnvironmentVariable("RF_IMPORT_CHILD_STOP").toLongLong();
    FileOperationTrap::install(stopAt, stopAt == 0);
    db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
    TfrmDataMod data;
    data.SourceTable->setTableType(db::Table::Type::Default);
    data.SourceTable->setTableName(DirectoryDatabase::DestTable);
    data.DestTable->setTableName(table);
    data.BatchMove1->setMode(db::BatchMove::Mode::Append);
    data.BatchMove1->Execute();
    std::cout << "imported " << data.BatchMove1->MovedCount() << " refused " << data.BatchMove1->KeyViolCount()
              << std::endl;
});

void load(const QString& path, const db::TableDef& definition, const std::vector<QVariantList>& rows)
{
    db::TableFile::create(path, definition, DirectoryDatabase::TablePassword);
    db::TableFile file(path, db::Session::defaultSession());
    db::TableLoad loading(file);
    for (const QVariantList& row : rows)
        loading.insert(row);
    loading.commit();
}

// A row of the kind: its key (an employee's name in one department, or a department's name) and an extension.
QVariantList row(bool employees, const QString& key, const QString& extension)
{
    return employees ? QVariantList { QStringLiteral("SALES"), key, extension } : QVariantList { key, extension };
}

// What a kill can leave: the destination's rows, and what the key-violation table holds: its field names, then each
// row's key and extension.
struct Outcome
{
    qint64 rows = 0;
    QStringList refused;

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome outcome(const QString& destination, const QString& keyViolations)
{
    SqliteShell shell(keyViolations);
    const QString fields = shell.column("SELECT group_concat(name) FROM dbengine_fields").value(0);
    const QByteArray rows = fields.startsWith(QStringLiteral("Department,Name"))
        ? "SELECT Name || '/' || Extension FROM records ORDER BY rowid"
        : "SELECT Department || '/' || MainExtension FROM records ORDER BY rowid";
    return { rowCount(destination), QStringList { fields } + shell.column(rows.constData()) };
}

// An import killed (SIGKILL) at any moment leaves employee.DB or department.DB and the key-violation table DupTable.db
// both as they were or both as the whole import leaves them, whole and with the structure they had: spread over the
// import, and at every file operation of the commit that writes the two files together. An earlier import's
// DupTable.db, of the other record kind, stays until the new one has all the refused rows.
TEST(ImportAtomicityTest, ImportKilledMidwayLeavesTheTableWhole)
{
    for (const bool employees : { true, false }) {
        SCOPED_TRACE(employees ? "employees" : "departments");
        DirectoryTestEnvironment environment;
        db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
        const QDir folder(environment.databaseFolder());
        const QString table = employees ? QString(DirectoryDatabase::EmployeeImportTable)
                                        : QString(DirectoryDatabase::DepartmentImportTable);
        const QString file
            = folder.filePath(employees ? DirectoryDatabase::EmployeeTable : DirectoryDatabase::DepartmentTable);
        const QString keyViolations = folder.filePath(DirectoryDatabase::DupTable);
        const db::TableDef destination
            = employees ? DirectoryDatabase::employeeDefinition() : DirectoryDatabase::departmentDefinition();

        {
            const db::TableFile held(file, db::Session::defaultSession());
            db::TableLoad loading(held);
            for (int i = 0; i < heldRows; ++i)
                loading.insert(row(employees, QStringLiteral("HELD %1").arg(i), QStringLiteral("100")));
            loading.commit();
        }
        db::TableDef earlier;
        earlier.fields
            = (employees ? DirectoryDatabase::departmentDefinition() : DirectoryDatabase::employeeDefinition()).fields;
        load(keyViolations, earlier, { row(!employees, QStringLiteral("EARLIER"), QStringLiteral("1")) });
        std::vector<QVariantList> imported;
        QStringList refused;
        for (int i = 0; i < importedRows; ++i) {
            const QString key = i % 4 == 1 ? QStringLiteral("HELD %1").arg(i)
                : i % 4 == 3               ? QStringLiteral("IMPORTED %1").arg(i - 1)
                                           : QStringLiteral("IMPORTED %1").arg(i);
            imported.push_back(row(employees, key, QString::number(i)));
            if (i % 2 == 1)
                refused << key + u'/' + QString::number(i);
        }
        db::TableDef preview;
        preview.fields = destination.fields;
        load(folder.filePath(DirectoryDatabase::DestTable), preview, imported);

        const QStringList files { file, keyViolations, folder.filePath(DirectoryDatabase::DestTable) };
        std::vector<QByteArray> pristine;
        for (const QString& path : files)
            pristine.push_back(readFile(path));
        const auto restore = [&] {
            for (const QString& leftover : folder.entryList({ QStringLiteral("*-journal"), QStringLiteral("*-mj*") }))
                QFile::remove(folder.filePath(leftover));
            for (qsizetype i = 0; i < files.size(); ++i)
                ASSERT_TRUE(writeFile(files.at(i), pristine.at(static_cast<size_t>(i))));
        };
        const QStringList schema = SqliteShell(file).column("SELECT sql FROM sqlite_schema ORDER BY rowid");
        const Outcome before = outcome(table, keyViolations);
        ASSERT_EQ(before.refused.size(), 2);

        // The import left to finish: the refused rows in the order of the preview, every file operation written out.
        QStringList operations;
        Outcome after;
        {
            ChildProcess child(childEnvironment(table, 0), childDeadlineMs);
            ASSERT_TRUE(child.startRole(QStringLiteral("import")));
            ASSERT_TRUE(child.waitForOutput(
                QStringLiteral("imported %1 refused %2\n").arg(importedRows / 2).arg(importedRows / 2)))
                << child.output().toStdString();
            operations = FileOperationTrap::operationsIn(child.output());
            after = outcome(table, keyViolations);
            EXPECT_EQ(after.rows, before.rows + importedRows / 2);
            EXPECT_EQ(after.refused.mid(1), refused);
            EXPECT_EQ(
                db::TableFile(keyViolations, db::Session::defaultSession()).definition().fields, destination.fields);
        }

        // Spread over the import; and from the commit's super-journal on, before each change from one kind of
        // operation or file to another, and before the last operation.
        const auto commitStart = std::find_if(operations.cbegin(), operations.cend(),
            [](const QString& operation) { return operation.contains(QStringLiteral("-mj")); });
        ASSERT_NE(commitStart, operations.cend()) << operations.join(u'\n').toStdString();
        std::set<qint64> stops { operations.size() };
        for (qint64 stop = commitStart - operations.cbegin() + 1; stop <= operations.size(); ++stop) {
            if (operations.at(stop - 1) != operations.at(stop - 2))
                stops.insert(stop);
        }
        for (qint64 part = 1; part < 8; ++part)
            stops.insert(operations.size() * part / 8 + 1);
        std::set<bool> leftAsBefore;
        for (const qint64 stop : stops) {
            SCOPED_TRACE(FileOperationTrap::describeStop(stop, operations));
            restore();
            ChildProcess child(childEnvironment(table, stop), childDeadlineMs);
            ASSERT_TRUE(child.startRole(QStringLiteral("import")));
            ASSERT_TRUE(child.waitForOutput(QStringLiteral("stopped at"))) << child.output().toStdString();
            child.kill(); // SIGKILL: no handler, no destructor runs

            const Outcome left = outcome(table, keyViolations);
            EXPECT_TRUE(left == before || left == after)
                << left.rows << " rows, " << left.refused.size() - 1 << " refused";
            leftAsBefore.insert(left == before);
            EXPECT_EQ(SqliteShell(file).integrity(), QStringLiteral("ok"));
            EXPECT_EQ(SqliteShell(keyViolations).integrity(), QStringLiteral("ok"));
            EXPECT_EQ(SqliteShell(file).column("SELECT sql FROM sqlite_schema ORDER BY rowid"), schema);
        }
        EXPECT_EQ(leftAsBefore, (std::set<bool> { false, true })) << "kills before and after the commit point";
    }
}

} // namespace
