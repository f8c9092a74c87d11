#pragma once

#include "platform/db/TableDef.h"

#include <QByteArray>

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace db {

class AttachedFile;
class KeyViolationTable;
class Session;
class SqlStatement;
class SqlTransaction;
class TableFile;

// The rows of one table file appended to another set at a time, by SQL on the destination's connection with the
// source attached to it, as one transaction. The result is that of adding the source's rows one by one in stored
// order: a row whose values do not fit the destination's fields (matched by position) is a problem and is not
// added; a row whose primary key the destination holds, or an earlier row of the source brought, is refused.
//
// The source is read in its stored order. The key check sorts the source's keys once and looks each up in the
// destination's key index in that order, so that it reads each index page once however large the destination. Into
// an empty table, or where many rows are added and a sample of their keys finds none the destination holds, it is
// left to the key index itself, built over all rows at the end, and made only when that finds a repeat. When the rows
// added are many beside those there, the destination's indexes are dropped and built afresh over all rows at the end,
// which is far quicker than keeping each up to date row by row; otherwise they are kept.
class TableAppend
{
public:
    // The rows added are "many" from an eighth of the rows there on.
    static constexpr int ManyRowsDivisor = 8;

    // Whether SQL alone can append the source's rows as the row-by-row append would: every destination field is
    // Alpha or Memo, and so is every source field matched to one; the source has no primary key (its stored order
    // is that of its rows); the destination's only unique index is its primary key.
    static bool suits(const TableDef& source, const TableDef& destination);

    // Begins the transaction on the destination's connection and examines the source, a table file of the
    // definition given. EngineError.
    TableAppend(const TableFile& destination, const QString& sourcePath, const TableDef& sourceDefinition);
    ~TableAppend(); // rolls back unless committed
    TableAppend(const TableAppend&) = delete;
    TableAppend& operator=(const TableAppend&) = delete;

    qint64 problemCount() const { return m_problemCount; }
    // The first problem row's number (counted from 1 in stored order) and why its values do not fit.
    qint64 firstProblemRow() const { return m_firstProblemRow; }
    const QString& firstProblem() const { return m_firstProblem; }
    // The rows refused for a repeated key (found now, unless known already).
    qint64 refusedCount();
    // Whether a row is refused before the first problem row is reached.
    bool refusesBeforeProblem();

    // Adds the rows neither refused nor problems, writes the refused ones to the key-violation table when it is
    // kept, and commits both. Returns the rows added; refusedCount() then tells the rows refused.
    qint64 commit(KeyViolationTable& violations);

private:
    void findProblems();
    QStringList keyValues() const; // SQL of the primary key's values from a source row "s"
    std::unique_ptr<SqlStatement> keyLookUp() const;
    bool holdsKey(SqlStatement& lookUp, const SqlStatement& row, std::vector<QByteArray>& key) const;
    bool sampleHoldsNoKey();
    void findRefused();
    void insertRows(const QString& schema, bool refused);
    void addRows(QList<IndexDef>& indexes);

    const TableFile& m_destination;
    const TableDef m_sourceDefinition;
    std::unique_ptr<AttachedFile> m_source; // detached after the transaction ends
    std::unique_ptr<SqlTransaction> m_transaction;
    QStringList m_values; // SQL of the destination's values from a source row "s", by destination field
    QString m_fits; // SQL condition: the source row's values fit the destination's fields
    qint64 m_rows = 0;
    qint64 m_problemCount = 0;
    qint64 m_firstProblemId = 0; // row id
    qint64 m_firstProblemRow = 0;
    QString m_firstProblem;
    bool m_refusedFound = false;
    std::vector<qint64> m_refused; // row ids, ascending
};

} // namespace db
