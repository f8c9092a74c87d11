#pragma once

#include <QString>

// A row of department.DB, fields in stored order.
struct TDepartmentRec
{
    QString Department; // the key
    QString MainExtension;
    QString FaxNumber;
    QString Address1;
    QString Address2;
};
