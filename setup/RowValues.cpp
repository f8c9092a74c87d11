#include "setup/RowValues.h"

namespace RowValues {

QVariantList of(const TEmployeeRec& row)
{
    return { row.Department, row.Name, row.Extension, row.Cellular, row.Pager, row.HomePhone, row.EMail, row.Title };
}

QVariantList of(const TDepartmentRec& row)
{
    return { row.Department, row.MainExtension, row.FaxNumber, row.Address1, row.Address2 };
}

QVariantList of(const TAuxiliarRec& row)
{
    return { row.PasswordValue };
}

QVariantList of(const TSpecialRec& row)
{
    return { row.Number, row.Description };
}

QVariantList of(const TReportRec& row)
{
    return { row.Name, row.ReportNumber, row.Area, row.Description };
}

QStringList texts(const TEmployeeRec& row)
{
    return { row.Department, row.Name, row.Extension, row.Cellular, row.Pager, row.HomePhone, row.EMail, row.Title };
}

QStringList texts(const TDepartmentRec& row)
{
    return { row.Department, row.MainExtension, row.FaxNumber, row.Address1, row.Address2 };
}

} // namespace RowValues
