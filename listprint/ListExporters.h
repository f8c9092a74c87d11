#pragma once

#include <QString>

class TFrmMain;

// The text exporters: one for each list and file format. The list dispatcher calls the one that belongs to the
// list being run and to the main window's export delimiter, after it has opened the list's rows; each writes the
// main window's export file and names it in a message.
void ExportEmployeeListComma(TFrmMain& mainWindow);
void ExportEmployeeListTab(TFrmMain& mainWindow);
void ExportEmployeeExtComma(TFrmMain& mainWindow);
void ExportEmployeeExtTab(TFrmMain& mainWindow);
void ExportDepartmentComma(TFrmMain& mainWindow);
void ExportDepartmentTab(TFrmMain& mainWindow);
void ExportShortListComma(TFrmMain& mainWindow);
void ExportShortListTab(TFrmMain& mainWindow);
void ExportSelectDepartmentComma(TFrmMain& mainWindow, const QString& department);
void ExportSelectDepartmentTab(TFrmMain& mainWindow, const QString& department);
