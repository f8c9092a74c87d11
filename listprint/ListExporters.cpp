#include "listprint/ListExporters.h"

// The file formats are not written yet: every exporter returns without touching a file.

void ExportEmployeeListComma(TFrmMain& /*mainWindow*/) { }

void ExportEmployeeListTab(TFrmMain& /*mainWindow*/) { }

void ExportEmployeeExtComma(TFrmMain& /*mainWindow*/) { }

void ExportEmployeeExtTab(TFrmMain& /*mainWindow*/) { }

void ExportDepartmentComma(TFrmMain& /*mainWindow*/) { }

void ExportDepartmentTab(TFrmMain& /*mainWindow*/) { }

void ExportShortListComma(TFrmMain& /*mainWindow*/) { }

void ExportShortListTab(TFrmMain& /*mainWindow*/) { }

void ExportSelectDepartmentComma(TFrmMain& /*mainWindow*/, const QString& /*department*/) { }

void ExportSelectDepartmentTab(TFrmMain& /*mainWindow*/, const QString& /*department*/) { }
