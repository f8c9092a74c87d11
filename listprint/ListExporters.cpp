#include "listprint/ListExporters.h"

#include "listprint/ExportColumns.h"
#include "listprint/ListExport.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TFrmMain.h"
#include "platform/db/Field.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/BusyCursor.h"
#include "platform/modal/ModalPoint.h"

namespace {

using Format = ExportLineWriter::Format;

// Writes the rows to the main window's export file; an error ends the export before its message.
void writeExport(TFrmMain& mainWindow, db::DataSet& rows, const ExportColumns& columns, Format format)
{
    const ui::BusyCursor busy;
    ListExport(columns, format).writeFile(rows, mainWindow.ExportFileName());
}

void tellExported(TFrmMain& mainWindow, const QString& text)
{
    modal::ModalPoint::message(text, modal::MessageKind::Information, modal::MessageButton::OK, &mainWindow);
}

void exportList(TFrmMain& mainWindow, db::DataSet& rows, const ExportColumns& columns, Format format)
{
    writeExport(mainWindow, rows, columns, format);
    tellExported(mainWindow,
        QStringLiteral("The %1 has been exported into %2")
            .arg(mainWindow.dataModule().QryReportName->AsString(), mainWindow.ExportFileName()));
}

void exportDepartmentEmployees(TFrmMain& mainWindow, const QString& department, Format format)
{
    writeExport(mainWindow, *mainWindow.dataModule().QryEmployee, ExportColumns::selectDepartment(), format);
    tellExported(mainWindow,
        QStringLiteral("The %1 department has been exported into %2").arg(department, mainWindow.ExportFileName()));
}

db::DataSet& employees(TFrmMain& mainWindow)
{
    return *mainWindow.dataModule().QryEmployee;
}

db::DataSet& departments(TFrmMain& mainWindow)
{
    return *mainWindow.dataModule().TblSelectDepartment;
}

} // namespace

void ExportEmployeeListComma(TFrmMain& mainWindow)
{
    exportList(mainWindow, employees(mainWindow), ExportColumns::employeeList(), Format::Comma);
}

void ExportEmployeeListTab(TFrmMain& mainWindow)
{
    exportList(mainWindow, employees(mainWindow), ExportColumns::employeeList(), Format::Tab);
}

void ExportEmployeeExtComma(TFrmMain& mainWindow)
{
    exportList(mainWindow, employees(mainWindow), ExportColumns::employeeExt(), Format::Comma);
}

void ExportEmployeeExtTab(TFrmMain& mainWindow)
{
    exportList(mainWindow, employees(mainWindow), ExportColumns::employeeExt(), Format::Tab);
}

void ExportDepartmentComma(TFrmMain& mainWindow)
{
    exportList(mainWindow, departments(mainWindow), ExportColumns::department(), Format::Comma);
}

void ExportDepartmentTab(TFrmMain& mainWindow)
{
    exportList(mainWindow, departments(mainWindow), ExportColumns::department(), Format::Tab);
}

void ExportShortListComma(TFrmMain& mainWindow)
{
    exportList(mainWindow, employees(mainWindow), ExportColumns::shortList(), Format::Comma);
}

void ExportShortListTab(TFrmMain& mainWindow)
{
    exportList(mainWindow, employees(mainWindow), ExportColumns::shortList(), Format::Tab);
}

void ExportSelectDepartmentComma(TFrmMain& mainWindow, const QString& department)
{
    exportDepartmentEmployees(mainWindow, department, Format::Comma);
}

void ExportSelectDepartmentTab(TFrmMain& mainWindow, const QString& department)
{
    exportDepartmentEmployees(mainWindow, department, Format::Tab);
}
