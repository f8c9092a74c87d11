#pragma once

#include "platform/db/EngineError.h"
#include "platform/db/FieldDef.h"
#include "platform/db/RowFeed.h"

#include <QList>
#include <QString>
#include <QVariantList>

namespace db {

class DataSet;

// A batch move's source rows converted to a table's fields, matched by position. A row that does not convert (a
// text line that does not fit its schema, a value too wide or not a number) is a problem: counted and skipped, or,
// where problems stop the move, thrown as an EngineError naming the destination and the row.
class RowConverter
{
public:
    RowConverter(DataSet& source, QString destinationName, bool abortOnProblem);

    const QList<FieldDef>& sourceFields() const { return m_feed.fields(); }
    qint64 problemCount() const { return m_problemCount; }
    // "row n: why", or a text file's "file, line n: why"; empty while there is none.
    const QString& firstProblem() const { return m_firstProblem; }

    // The next row that converts to the fields, in `values`; false after the last row.
    bool next(const QList<FieldDef>& fields, QVariantList& values);

    static EngineError stoppedAt(const QString& destinationName, qint64 rowNumber, const QString& why);

private:
    void countTextProblems();

    RowFeed m_feed;
    const QString m_destinationName;
    const bool m_abortOnProblem;
    const QList<FieldDef>* m_fieldsChecked = nullptr;
    bool m_converted = false;
    QVariantList m_row; // a source row before its conversion, its memory kept from row to row
    qint64 m_textProblems = 0;
    qint64 m_rowNumber = 0;
    qint64 m_problemCount = 0;
    QString m_firstProblem;
};

} // namespace db
