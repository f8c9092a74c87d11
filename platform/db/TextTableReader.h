#pragma once

#include "platform/db/TextSchema.h"

#include <QFile>
#include <QVariantList>

namespace db {

// Reads a text table line by line through its schema. A line that does not fit (wrong field count, an unterminated
// quote, a value wider than its field, a Short that is not a 16-bit number, bytes invalid in the charset) is a
// problem row: counted and skipped, never a crash. Empty lines are skipped. Alpha values are trimmed of trailing
// blanks; fixed-width values of blanks at both ends.
class TextTableReader
{
public:
    TextTableReader(const QString& textPath, const TextSchema& schema); // EngineError when the file is unreadable

    const TextSchema& schema() const { return m_schema; }

    // The next good row, in field order; false at the end of the file.
    bool next(QVariantList& row);
    qint64 problemCount() const { return m_problemCount; }
    const QString& lastProblem() const { return m_lastProblem; } // "file, line n: why"
    qint64 lineNumber() const { return m_lineNumber; }

private:
    TextSchema m_schema;
    QFile m_file;
    QString m_fileName;
    qint64 m_lineNumber = 0;
    qint64 m_problemCount = 0;
    QString m_lastProblem;
};

} // namespace db
