#include "bench/ExportBench.h"

#include "bench/ProcessMemory.h"
#include "listprint/ListExport.h"
#include "platform/db/Query.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <memory>

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
        // List 1's query, with its persistent fields.
        const std::unique_ptr<db::Query> employees
            = m_directory.openEmployeeList({ "Name", "Extension", "Cellular", "Pager", "Title", "Department" });
        figures.rows
            = ListExport(ExportColumns::employeeList(), ExportLineWriter::Format::Comma).writeFile(*employees, path);
    }
    figures.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    figures.peakKb = ProcessMemory::read().peakKb;
    figures.bytes = QFileInfo(path).size();
    return figures;
}
