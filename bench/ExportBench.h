#pragma once

#include "bench/DirectoryBench.h"

#include <QString>

// The list printer's export of the employee list over a directory folder, run as the list printer runs it: the
// employee query with the list's text and fields, then the comma-format exporter's file.
class ExportBench
{
public:
    struct Figures
    {
        qint64 rows = 0;
        qint64 bytes = 0;
        double ms = 0; // from opening the employee query to the file written and closed
        qint64 residentBeforeKb = 0; // before the query opened
        qint64 peakKb = 0; // the most the process held while it ran
    };

    explicit ExportBench(const QString& folder);

    Figures writeEmployeeList(const QString& path);

private:
    DirectoryBench m_directory;
};
