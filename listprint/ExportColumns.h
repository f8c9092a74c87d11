#pragma once

#include <QStringList>

// What one kind of list writes to an export file: its header titles and the fields of its values, in order. The
// employee lists write the stored Name as two values, the last and the first name, before their fields.
struct ExportColumns
{
    // What becomes of a row whose Name holds no comma, and so cannot be split.
    enum class NameWithoutComma
    {
        Written, // the whole Name as last name, an empty first name
        LeftOut, // the row is not written
    };

    QStringList titles;
    bool splitsName = false; // the first two values are the last and the first name from the field "Name"
    NameWithoutComma nameWithoutComma = NameWithoutComma::Written;
    QStringList fields; // the fields of the further values

    static ExportColumns employeeList(); // list 1
    static ExportColumns employeeExt(); // list 7
    static ExportColumns department(); // list 3
    static ExportColumns shortList(); // lists 4, 5 and 6
    static ExportColumns selectDepartment(); // list 2
};
