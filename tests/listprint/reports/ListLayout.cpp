#include "ListLayout.h"

#include "listprint/reports/TQRDepartment.h"
#include "listprint/reports/TQREmployeeList.h"
#include "listprint/reports/TQRShortList.h"

namespace {

template <typename Layout> std::unique_ptr<report::Report> staff(db::DataSet& employees, db::DataSet& /*departments*/)
{
    return titled<Layout>(employees, QStringLiteral("Staff"));
}

} // namespace

std::vector<ListLayout> ListLayout::oneColumnLists()
{
    const Column name { "Name", 0.13, "Name", 0.08, 2.09 };
    const Column phone { "Phone/Ext.", 2.38, "Extension", 2.33, 1.43 };
    return {
        { "TQREmployeeList", staff<TQREmployeeList>,
            { name, phone, { "Cellular", 3.89, "Cellular", 3.91, 0.90 }, { "Pager #", 4.99, "Pager", 4.99, 0.82 },
                { "Department", 5.92, "Department", 5.92, 1.61 } },
            true, "Date Print: " },
        { "TQRShortList", staff<TQRShortList>,
            { name, phone, { "Department", 4.04, "Department", 3.92, 1.61 },
                { "Cellular", 5.79, "Cellular", 5.70, 0.90 }, { "Pager #", 6.79, "Pager", 6.78, 0.82 } },
            false, "Date Print: " },
        { "TQRSelectDepartment", staff<TQRSelectDepartment>,
            { name, phone, { "Title", 4.21, "Title", 3.92, 1.59 }, { "Cellular", 5.79, "Cellular", 5.70, 0.90 },
                { "Pager #", 6.79, "Pager", 6.78, 0.82 } },
            false, "Date Printed: " },
        { "TQRDepartment", [](db::DataSet&, db::DataSet& d) { return std::make_unique<TQRDepartment>(d); },
            { { "Department", 0.13, "Department", 0.08, 2.09 }, { "Phone/Ext.", 2.33, "MainExtension", 2.33, 1.18 },
                { "Fax Number", 3.66, "FaxNumber", 3.67, 0.96 }, { "Address 1", 4.88, "Address1", 4.86, 1.59 },
                { "Address 2", 6.63, "Address2", 6.62, 1.09 } },
            false, "Date Printed: " },
    };
}
