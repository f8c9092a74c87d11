#include "listprint/ExportColumns.h"

namespace {

const QString lastName = QStringLiteral("Last Name");
const QString firstName = QStringLiteral("First Name");
const QString phone = QStringLiteral("Phone/Extension");

} // namespace

ExportColumns ExportColumns::employeeList()
{
    return ExportColumns { { lastName, firstName, phone, QStringLiteral("Cellular"), QStringLiteral("Pager"),
                               QStringLiteral("Department") },
        true, NameWithoutComma::Written,
        { QStringLiteral("Extension"), QStringLiteral("Cellular"), QStringLiteral("Pager"),
            QStringLiteral("Department") } };
}

ExportColumns ExportColumns::employeeExt()
{
    return ExportColumns { { lastName, firstName, phone, QStringLiteral("Title") }, true, NameWithoutComma::Written,
        { QStringLiteral("Extension"), QStringLiteral("Title") } };
}

ExportColumns ExportColumns::department()
{
    return ExportColumns { { QStringLiteral("Department"), phone, QStringLiteral("Fax Number"),
                               QStringLiteral("Address1"), QStringLiteral("Address2") },
        false, NameWithoutComma::Written,
        { QStringLiteral("Department"), QStringLiteral("MainExtension"), QStringLiteral("FaxNumber"),
            QStringLiteral("Address1"), QStringLiteral("Address2") } };
}

ExportColumns ExportColumns::shortList()
{
    // The same columns as the employee list: the department comes last, unlike in the printed short list.
    ExportColumns columns = employeeList();
    columns.nameWithoutComma = NameWithoutComma::LeftOut;
    return columns;
}

ExportColumns ExportColumns::selectDepartment()
{
    return ExportColumns { { lastName, firstName, phone, QStringLiteral("Cellular"), QStringLiteral("Pager"),
                               QStringLiteral("Title") },
        true, NameWithoutComma::LeftOut,
        { QStringLiteral("Extension"), QStringLiteral("Cellular"), QStringLiteral("Pager"), QStringLiteral("Title") } };
}
