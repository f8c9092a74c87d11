#pragma once

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/TableDef.h"

#include <QMetaObject>
#include <QPointer>

#include <vector>

namespace db {

class TableCursor;

// A table of the alias folder, browsed in the order of an index (IndexName or IndexFieldNames) or in primary
// key order. As a detail (MasterSource + MasterFields) it shows only the rows whose fields equal the master's
// current ones, follows every move of the master and gives an inserted row the master's values.
// TableType Ascii reads a text file through the schema file beside it (read-only).
class Table : public DataSet
{
    Q_OBJECT

public:
    enum class Type
    {
        Default, // a table file of the alias folder; a name without extension means ".DB"
        Ascii, // a text file with its schema file (same base name, ".SCH")
    };

    explicit Table(QObject* parent = nullptr);
    ~Table() override;

    const QString& DatabaseName() const { return m_databaseName; }
    void setDatabaseName(const QString& alias);
    const QString& TableName() const { return m_tableName; }
    void setTableName(const QString& name); // relative to the alias folder, or an absolute path
    Type TableType() const { return m_type; }
    void setTableType(Type type);
    const QString& IndexName() const { return m_indexName; }
    void setIndexName(const QString& name);
    const QString& IndexFieldNames() const { return m_indexFieldNames; }
    void setIndexFieldNames(const QString& fields); // ';'-separated; an index led by these fields orders the rows
    DataSource* MasterSource() const { return m_masterSource; }
    void setMasterSource(DataSource* source);
    const QString& MasterFields() const { return m_masterFields; }
    void setMasterFields(const QString& fields);

    bool CanModify() const override;

    // Tables that this table's AfterPost handler changes through queries (a rename carried into the rows that name
    // the old key). A post then writes the row, runs AfterPost and commits as one transaction over this table and
    // those: when the handler or its queries fail, nothing of the post takes effect and the row stays in edit.
    const QStringList& LinkedTables() const { return m_linkedTables; }
    void setLinkedTables(const QStringList& tableNames) { m_linkedTables = tableNames; }

    // Posts a pending edit, rereads the rows (showing changes made through other table objects or programs)
    // and keeps the current row where it still exists.
    void Refresh();

    QString filePath() const; // the resolved file; EngineError when the alias or file is missing
    const TableDef& definition() const; // of the open table
    qint64 problemCount() const { return m_problemCount; } // Ascii: lines of the text file that did not fit

protected:
    std::unique_ptr<Cursor> openCursor() override;
    void initNewRecord(QVariantList& values) override;
    QString describe() const override;
    std::unique_ptr<LinkedWrite> beginPostTransaction() override;

private:
    std::unique_ptr<Cursor> openTextCursor();
    TableCursor* tableCursor() const;
    void configureOrder(TableCursor& cursor) const;
    void configureRange(TableCursor& cursor) const;
    void reorder();
    void followMaster(bool reread);
    void refuseWhileOpen(const QString& what) const;

    TableDef m_definition;
    qint64 m_problemCount = 0;
    std::vector<QMetaObject::Connection> m_masterConnections;
    QString m_databaseName;
    QString m_tableName;
    Type m_type = Type::Default;
    QString m_indexName;
    QString m_indexFieldNames;
    QPointer<DataSource> m_masterSource;
    QString m_masterFields;
    QStringList m_linkedTables;
};

} // namespace db
