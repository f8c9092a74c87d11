#pragma once

#include <QString>

// A row of employee.DB, fields in stored order.
struct TEmployeeRec
{
    QString Department; // the name of a row of department.DB
    QString Name; // upper case: the last name, a comma, one blank, the first name
    QString Extension;
    QString Cellular;
    QString Pager;
    QString HomePhone;
    QString EMail;
    QString Title;
};
