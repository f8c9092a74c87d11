#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

namespace db {

class DataSet;
class KeyViolationTable;
class Table;
class TableFile;
struct TableDef;

// Moves rows from a source data set to a destination table, fields matched by position, as one transaction.
// Copy creates or replaces the destination with the source's structure and copies every row. Append adds the
// rows to the existing destination; a row that repeats its primary key goes to the key-violation table (created
// or replaced with the destination's structure) and is counted; the destination's new rows and the refused ones
// commit together or not at all. Rows that cannot be converted (a text line that does not fit its schema, a value
// too wide or not a number) are counted as problems. A table file's rows are appended set at a time by SQL
// (TableAppend) where the fields allow it; other sources row by row.
class BatchMove : public QObject
{
    Q_OBJECT

public:
    enum class Mode
    {
        Copy,
        Append,
    };

    explicit BatchMove(QObject* parent = nullptr);

    DataSet* Source() const { return m_source; }
    void setSource(DataSet* source) { m_source = source; }
    Table* Destination() const { return m_destination; }
    void setDestination(Table* destination) { m_destination = destination; }
    Mode mode() const { return m_mode; }
    void setMode(Mode mode) { m_mode = mode; }
    const QString& KeyViolTableName() const { return m_keyViolTableName; }
    void setKeyViolTableName(const QString& name) { m_keyViolTableName = name; }
    bool AbortOnKeyViol() const { return m_abortOnKeyViol; }
    void setAbortOnKeyViol(bool abort) { m_abortOnKeyViol = abort; }
    bool AbortOnProblem() const { return m_abortOnProblem; }
    void setAbortOnProblem(bool abort) { m_abortOnProblem = abort; }

    void Execute();

    qint64 MovedCount() const { return m_movedCount; }
    qint64 KeyViolCount() const { return m_keyViolCount; }
    qint64 ProblemCount() const { return m_problemCount; }
    // What made the first problem row fail ("file, line n: why" for a text file); empty when there was none.
    QString FirstProblem() const { return m_firstProblem; }

private:
    void copy();
    void append();
    // The key-violation table's file where the move keeps refused rows; empty where it keeps none.
    QString keyViolationPath(const TableFile& destination) const;
    // The source's table file when SQL alone can append its rows (TableAppend), with its definition; else empty.
    QString tableSource(const TableFile& destination, TableDef& sourceDefinition) const;
    void appendTable(const TableFile& destination, const QString& sourcePath, const TableDef& sourceDefinition,
        KeyViolationTable& violations);
    void appendRows(const TableFile& destination, KeyViolationTable& violations);
    // A row the destination's primary key refuses: counted, then it stops the move or goes to the key-violation
    // table.
    void refuse(const QVariantList& row, const QString& destinationName, KeyViolationTable& violations);

    QPointer<DataSet> m_source;
    QPointer<Table> m_destination;
    Mode m_mode = Mode::Append;
    QString m_keyViolTableName;
    bool m_abortOnKeyViol = true;
    bool m_abortOnProblem = true;
    qint64 m_movedCount = 0;
    qint64 m_keyViolCount = 0;
    qint64 m_problemCount = 0;
    QString m_firstProblem;
};

} // namespace db
