#pragma once

#include "platform/db/TextSchema.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QVariantList>

namespace db {

// Reads a text table line by line through its schema. A line that does not fit (wrong field count, an unterminated
// quote, a value wider than its field, a Short that is not a 16-bit number, bytes invalid in the charset) is a
// problem row: counted and skipped, never a crash. So is a line holding a control character (other than a tab
// separator) or longer than a megabyte. Lines end in LF or CR LF; the last one may lack its end. Empty lines are
// skipped. A file holding a NUL byte is no text file: reading it is an EngineError. Alpha values are trimmed of
// trailing blanks; fixed-width values of blanks at both ends. An empty Short is null.
class TextTableReader
{
public:
    TextTableReader(const QString& textPath, const TextSchema& schema); // EngineError when the file is unreadable

    const TextSchema& schema() const { return m_schema; }

    // The next good row, in field order; false at the end of the file.
    bool next(QVariantList& row);
    qint64 problemCount() const { return m_problemCount; }
    const QString& lastProblem() const { return m_lastProblem; } // "file, line n: why"
    const QString& firstProblem() const { return m_firstProblem; }
    qint64 lineNumber() const { return m_lineNumber; }

private:
    bool readLine(QByteArrayView& line, bool& tooLong);
    bool parseLine(QByteArrayView bytes, QVariantList& row, QString& why);
    bool splitDelimited(const QString& text, QString& why);
    bool splitFixed(const QString& text, QString& why);
    bool convert(int field, QString value, QVariant& result, QString& why) const;

    TextSchema m_schema;
    QFile m_file;
    QString m_fileName;
    qint64 m_lineNumber = 0;
    qint64 m_problemCount = 0;
    QString m_lastProblem;
    QString m_firstProblem;
    QByteArray m_buffer; // read ahead in large blocks; lines are cut out of it
    qsizetype m_pos = 0; // start of the next line in m_buffer
    qsizetype m_scanned = 0; // m_buffer before this holds no line end after m_pos
    bool m_atEnd = false;
    QStringList m_values; // the current line's values as text, reused from line to line
};

} // namespace db
