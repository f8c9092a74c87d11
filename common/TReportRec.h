#pragma once

#include <QString>

// A row of Report.DB: one list of the list printer's catalogue.
struct TReportRec
{
    QString Name; // the list's name and report title
    int ReportNumber = 0; // which list runs, 1 to 7
    QString Area; // "Employee" or "Department": the catalogue tab that shows the row
    QString Description;
};
