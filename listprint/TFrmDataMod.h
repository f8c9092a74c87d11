#pragma once

#include <QObject>

namespace db {
class DataSource;
class Field;
class Query;
class Table;
} // namespace db

// Printroll's data module: the catalogue query, the department table and the employee query that the lists run
// over, with their data sources and persistent fields. Nothing is open when it is created.
class TFrmDataMod : public QObject
{
    Q_OBJECT

public:
    explicit TFrmDataMod(QObject* parent = nullptr);
    ~TFrmDataMod() override;

    // The catalogue: the lists of one area, by name.
    db::Query* const QryReport;
    db::DataSource* const SrcQryReport;
    // The departments in the table's own order: the department list and the department chooser.
    db::Table* const TblSelectDepartment;
    // The employees of the list being run; every run replaces its text.
    db::Query* const QryEmployee;
    db::DataSource* const SrcTblSelectDepartment;

    db::Field* const QryReportName;
    db::Field* const QryReportReportNumber;
    db::Field* const QryReportArea;
    db::Field* const QryReportDescription;

    db::Field* const TblSelectDepartmentDepartment;
    db::Field* const TblSelectDepartmentMainExtension;
    db::Field* const TblSelectDepartmentFaxNumber;
    db::Field* const TblSelectDepartmentAddress1;
    db::Field* const TblSelectDepartmentAddress2;

    db::Field* const QryEmployeeName;
    db::Field* const QryEmployeeExtension;
    db::Field* const QryEmployeeCellular;
    db::Field* const QryEmployeePager;
    db::Field* const QryEmployeeTitle;
    db::Field* const QryEmployeeDepartment;
};
