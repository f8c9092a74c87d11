#pragma once

#include <QObject>
#include <QString>

namespace db {
class BatchMove;
class DataSet;
class DataSource;
class Field;
class Query;
class Table;
} // namespace db

// The directory program's data module: every table, query, data source and batch move the program's windows are
// bound to. Nothing is open when it is created; the windows open what they need.
class TfrmDataMod : public QObject
{
    Q_OBJECT

public:
    explicit TfrmDataMod(QObject* parent = nullptr);
    ~TfrmDataMod() override;

    // Departments, in name order: the department page and the master of TblEmployee2.
    db::Table* const TblDepartment;
    db::DataSource* const SrcDepartment;
    // The employees of the current department.
    db::Table* const TblEmployee2;
    db::DataSource* const SrcEmployee2;
    // All employees, in name order: the employee page.
    db::Table* const TblEmployee1;
    db::DataSource* const SrcEmployee1;
    // The letter lists.
    db::Query* const QryEmployee;
    db::Query* const QryDepartment;
    // The edit passwords and their change.
    db::Table* const TblAuxiliar;
    db::Query* const QryAuxiliar;
    // The department editor and its rename cascade.
    db::Table* const TblEditDepartment;
    db::Query* const QryEditMaster;
    // The import.
    db::Table* const SourceTable;
    db::BatchMove* const BatchMove1;
    db::Table* const DestTable;
    db::Table* const TblDupTable;
    // The dial prefixes.
    db::Table* const TblSpecial;
    db::DataSource* const SrcSpecial;

    // --- The department editor's rename cascade ---
    // The Department field of TblEditDepartment.
    db::Field* TblEditDepartmentDepartment = nullptr;
    // The Department value of the row whose edit began most recently.
    QString OldDepartment;
    void TblEditDepartmentBeforeEdit(db::DataSet& DataSet);
    void TblEditDepartmentAfterPost(db::DataSet& DataSet);
    // --- end of the department editor's rename cascade ---

private:
    void defineDepartmentEditor();
    void defineDepartmentTables();
    void defineEmployeeTables();
    void defineLetterListQueries();
    void definePasswordObjects();
    void defineImportObjects();
    void defineSpecialTable();

    bool m_postingEdit = false; // the post under way completes an edit of an existing department
};
