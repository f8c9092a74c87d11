#include "bench/ExportBench.h"

#include "bench/ProcessMemory.h"
#include "common/DirectoryDatabase.h"
#include "listprint/ListExport.h"
#include "platform/db/Query.h"

#include <QElapsedTimer>
#include <QFileInfo>

ExportBench::ExportBench(const QString& folder)
    : m_directory(folder)
{
}

ExportBench::Figures ExportBench::writeEmployeeList(const QString& path)
{
    Figures figures;
    ProcessMemory::resetPeak();
    figures.residentBeforeKb = ProcessMemory::read().residentKb;
    QElapsedTimer clock;
    clock.start();
    {
        // The list printer's employee query for list 1, with its persistent fields.
        db::Query employees;
        employees.setObjectName(QStringLiteral("QryEmployee"));
        employees.setSession(m_directory.session());
        employees.setDatabaseName(DirectoryDatabase::Alias);
        for (const char* field : { "Name", "Extension", "Cellular", "Pager", "Title", "Department" })
            employees.addField(QString::fromLatin1(field));
        employees.setSQL(
            { QStringLiteral("Select * "), QStringLiteral("FROM employee "), QStringLiteral("ORDER BY Name") });
        employees.Open();
        figures.rows
            = ListExport(ExportColumns::employeeList(), ExportLineWriter::Format::Comma).writeFile(employees, path);
    }
    figures.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    figures.peakKb = ProcessMemory::read().peakKb;
    figures.bytes = QFileInfo(path).size();
    return figures;
}
