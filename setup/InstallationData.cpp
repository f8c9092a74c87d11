#include "setup/InstallationData.h"

namespace InstallationData {

QList<TReportRec> reportRows()
{
    // The employee lists sit under the Employee tab; the department list and the list that first asks for a
    // department sit under the Department tab.
    return {
        { QStringLiteral("Employee Listing"), 1, QStringLiteral("Employee"),
            QStringLiteral("Every employee in name order, grouped by the first letter of the last name, with phone "
                           "extension, cellular and pager numbers and department.") },
        { QStringLiteral("Employees of a Department"), 2, QStringLiteral("Department"),
            QStringLiteral("The employees of one department, with their numbers and titles. Choose the department "
                           "when the list runs; choose another to run it again for that one.") },
        { QStringLiteral("Department Listing"), 3, QStringLiteral("Department"),
            QStringLiteral("Every department with its main extension, fax number and location.") },
        { QStringLiteral("Vice Presidents and Controllers"), 4, QStringLiteral("Employee"),
            QStringLiteral("Employees whose title contains V.P., VP or CONTROLLER. Only titles typed in capitals are "
                           "listed.") },
        { QStringLiteral("Directors"), 5, QStringLiteral("Employee"),
            QStringLiteral("Employees whose title begins with DIRECTOR. Only titles typed in capitals are listed.") },
        { QStringLiteral("Team Leaders"), 6, QStringLiteral("Employee"),
            QStringLiteral("Employees whose title contains TEAM LEADER. Only titles typed in capitals are listed.") },
        { QStringLiteral("Extended Employee Listing"), 7, QStringLiteral("Employee"),
            QStringLiteral("Every employee in two columns per page: name, extension and title, grouped by the first "
                           "letter of the last name.") },
    };
}

QList<TAuxiliarRec> editPasswords()
{
    return { { QStringLiteral("DIRECTORY") } };
}

QList<TSpecialRec> specialNumbers()
{
    return {
        { QStringLiteral("9"), QStringLiteral("Outside line") },
        { QStringLiteral("1"), QStringLiteral("Long distance") },
        { QStringLiteral("*70"), QStringLiteral("Cancel call waiting") },
        { QStringLiteral("*67"), QStringLiteral("Block caller ID") },
    };
}

} // namespace InstallationData
