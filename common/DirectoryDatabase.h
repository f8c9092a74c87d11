#pragma once

#include "platform/db/TableDef.h"

#include <QLatin1StringView>

// The directory database as both programs see it: the alias that names its folder, the one table password, the
// tables under every name the code spells them with, and their stored structure. Table names compare without
// regard to case and a name without extension means ".DB", so all spellings of a table reach the same file.
namespace DirectoryDatabase {

inline constexpr QLatin1StringView Alias { "Ringfolio 2.5" };
inline constexpr QLatin1StringView TablePassword { "RJBalnor" };

// employee.DB
inline constexpr QLatin1StringView EmployeeTable { "employee.DB" }; // data modules, letter-list query
inline constexpr QLatin1StringView EmployeeImportTable { "Employee.db" }; // destination of the import
inline constexpr QLatin1StringView EmployeeRenameTable { "Employee.DB" }; // department rename cascade
inline constexpr QLatin1StringView EmployeeQueryTable { "employee" }; // list printer's queries
inline constexpr QLatin1StringView ByNameIndex { "ByName" }; // Name without regard to case: the browse order
inline constexpr QLatin1StringView ByNameExactIndex { "ByNameExact" }; // Name with regard to case
// Name and Extension with regard to case: the employee letter list's order, so that its first rows come at once
inline constexpr QLatin1StringView ByNameExtensionIndex { "ByNameExtension" };

// department.DB
inline constexpr QLatin1StringView DepartmentTable { "department.DB" }; // data modules, letter-list query
inline constexpr QLatin1StringView DepartmentImportTable { "Department.db" }; // destination of the import

// AUXILIAR.DB, the passwords that unlock editing
inline constexpr QLatin1StringView AuxiliarTable { "AUXILIAR.DB" };
inline constexpr QLatin1StringView AuxiliarQueryTable { "AUXILIAR" }; // password update query

// Special.db, the dial prefixes
inline constexpr QLatin1StringView SpecialTable { "Special.db" };

// Report.DB, the list printer's catalogue
inline constexpr QLatin1StringView ReportTable { "Report.DB" };
inline constexpr QLatin1StringView ReportQueryTable { "Report" }; // catalogue query

// The import's work tables
inline constexpr QLatin1StringView DestTable { "DestTable.db" }; // the preview
inline constexpr QLatin1StringView DupTable { "DupTable.db" }; // the key-violation table
inline constexpr QLatin1StringView DupTableCopySource { "\\DupTable.DB" }; // copied within the program folder...
inline constexpr QLatin1StringView TempTableCopyTarget { "\\TempTable.db" }; // ...to this name
inline constexpr QLatin1StringView TempTable { "TempTable.db" }; // the refused rows, to correct and import again

// The import's work files in the program folder, each read with the schema file of its base name and ".SCH"
inline constexpr QLatin1StringView DepartmentDelimitedWorkName { "\\departcom.dll" };
inline constexpr QLatin1StringView DepartmentFixedWorkName { "\\departfix.dll" };
inline constexpr QLatin1StringView EmployeeDelimitedWorkName { "\\employeecom.dll" };
inline constexpr QLatin1StringView EmployeeFixedWorkName { "\\employeefix.dll" };

// Stored structures. employee.DB: primary key (Department, Name), which also serves the Department order, and
// the indexes ByName, ByNameExact and ByNameExtension (tables made before it work without it, more slowly).
// department.DB: primary key (Department). The others have no key.
db::TableDef employeeDefinition();
db::TableDef departmentDefinition();
db::TableDef auxiliarDefinition();
db::TableDef specialDefinition();
db::TableDef reportDefinition();

} // namespace DirectoryDatabase
