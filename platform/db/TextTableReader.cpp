#include "platform/db/TextTableReader.h"

#include "platform/db/EngineError.h"

#include <algorithm>
#include <cstring>

namespace db {
namespace {

constexpr qint64 BlockSize = 1 << 20;
constexpr qsizetype MaxLineLength = 1 << 20; // a record is a few hundred bytes; this is a file of another kind
constexpr qsizetype QuotedLength = 40; // how much of a bad value a message repeats

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no sequence cut short.
bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const uchar lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += extra + 1;
    }
    return true;
}

// Windows-1252 is Latin-1 but for 0x80-0x9F, where it has printable characters; the five codes it leaves unused
// are not text.
QString fromWindows1252(QByteArrayView bytes, QString& why)
{
    static constexpr char16_t high[32] = { 0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
        0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
        0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178 };
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<uchar>(c);
        char16_t code = byte;
        if (byte >= 0x80 && byte <= 0x9F) {
            code = high[byte - 0x80];
            if (code == 0) {
                why = QStringLiteral("byte 0x%1, which is not a Windows-1252 character").arg(byte, 2, 16, QChar(u'0'));
                return {};
            }
        }
        *out++ = code;
    }
    return text;
}

bool decode(QByteArrayView bytes, TextSchema::Charset charset, bool ascii, QString& text, QString& why)
{
    if (ascii) {
        text = QString::fromLatin1(bytes);
        return true;
    }
    switch (charset) {
    case TextSchema::Charset::Latin1:
        text = QString::fromLatin1(bytes);
        return true;
    case TextSchema::Charset::Utf8:
        if (isValidUtf8(bytes)) {
            text = QString::fromUtf8(bytes);
            return true;
        }
        why = QStringLiteral("bytes that are not valid UTF-8");
        return false;
    case TextSchema::Charset::Windows1252:
        text = fromWindows1252(bytes, why);
        return why.isEmpty();
    case TextSchema::Charset::Ascii:
        break;
    }
    why = QStringLiteral("bytes that are not ASCII");
    return false;
}

bool isControl(char16_t c, bool tabSeparates)
{
    return (c < 0x20 && !(c == u'\t' && tabSeparates)) || (c >= 0x7F && c <= 0x9F);
}

QStringView trimBlanks(QStringView text, bool leading)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (leading) {
        while (begin < end && text.at(begin) == u' ')
            ++begin;
    }
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

QString quoted(QStringView value)
{
    return value.size() <= QuotedLength ? value.toString()
                                        : value.left(QuotedLength).toString() + QStringLiteral("...");
}

} // namespace

TextTableReader::TextTableReader(const QString& textPath, const TextSchema& schema)
    : m_schema(schema)
    , m_file(textPath)
    , m_fileName(textPath)
{
    const qsizetype fieldCount = m_schema.definition.fields.size();
    if (fieldCount == 0)
        throw EngineError(QStringLiteral("The layout of %1 has no fields").arg(textPath));
    const auto negative
        = [](const QList<int>& list) { return std::any_of(list.cbegin(), list.cend(), [](int n) { return n < 0; }); };
    if (m_schema.layout == TextSchema::Layout::Fixed
        && (m_schema.offsets.size() != fieldCount || m_schema.widths.size() != fieldCount || negative(m_schema.offsets)
            || negative(m_schema.widths))) {
        throw EngineError(QStringLiteral("The fixed layout of %1 lacks sound offsets and widths").arg(textPath));
    }
    if (!m_file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("Cannot open text table %1: %2").arg(textPath, m_file.errorString()));
}

bool TextTableReader::next(QVariantList& row)
{
    QByteArrayView line;
    bool tooLong = false;
    while (readLine(line, tooLong)) {
        ++m_lineNumber;
        QString why;
        if (tooLong) {
            why = QStringLiteral("line longer than %1 bytes").arg(MaxLineLength);
        } else {
            if (line.endsWith('\r'))
                line.chop(1);
            if (m_lineNumber == 1 && m_schema.charset == TextSchema::Charset::Utf8 && line.startsWith("\xEF\xBB\xBF"))
                line = line.sliced(3);
            if (std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; }))
                continue;
            if (parseLine(line, row, why))
                return true;
        }
        ++m_problemCount;
        m_lastProblem = QStringLiteral("%1, line %2: %3").arg(m_fileName).arg(m_lineNumber).arg(why);
        if (m_firstProblem.isEmpty())
            m_firstProblem = m_lastProblem;
    }
    return false;
}

// Cuts the next line (without its LF) out of the read-ahead buffer, reading further blocks as needed. The view
// stays valid until the next call. An overlong line is skipped up to its end and reported through tooLong.
bool TextTableReader::readLine(QByteArrayView& line, bool& tooLong)
{
    tooLong = false;
    for (;;) {
        const char* const data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        const qsizetype from = std::max(m_pos, m_scanned);
        if (from < size) {
            if (const void* hit = std::memchr(data + from, '\n', static_cast<size_t>(size - from))) {
                const qsizetype end = static_cast<const char*>(hit) - data;
                line = QByteArrayView(data + m_pos, end - m_pos);
                m_pos = end + 1;
                m_scanned = m_pos;
                return true;
            }
        }
        m_scanned = size;
        if (size - m_pos > MaxLineLength) {
            tooLong = true;
            m_pos = size;
        }
        if (m_atEnd) {
            if (m_pos == size && !tooLong)
                return false;
            line = QByteArrayView(data + m_pos, size - m_pos);
            m_pos = size;
            return true;
        }
        m_buffer.remove(0, m_pos);
        m_scanned -= m_pos;
        m_pos = 0;
        const qsizetype kept = m_buffer.size();
        m_buffer.resize(kept + BlockSize);
        const qint64 got = m_file.read(m_buffer.data() + kept, BlockSize);
        if (got < 0)
            throw EngineError(QStringLiteral("Cannot read text table %1: %2").arg(m_fileName, m_file.errorString()));
        // No text holds a NUL byte: a file with one is a picture, a program or a word processor's document, and
        // reading it as records would only count every line of it as bad.
        if (got > 0 && std::memchr(m_buffer.constData() + kept, '\0', static_cast<size_t>(got))) {
            throw EngineError(
                QStringLiteral("%1 is not a text file: it holds NUL bytes").arg(m_fileName), 0, m_fileName);
        }
        m_buffer.resize(kept + got);
        m_atEnd = got == 0;
    }
}

bool TextTableReader::parseLine(QByteArrayView bytes, QVariantList& row, QString& why)
{
    // A word-at-a-time pass tells whether the line is plain ASCII and whether it may hold a control character (any
    // byte below 0x20, tabs included, or 0x7F); only then is it looked at byte by byte.
    const bool delimited = m_schema.layout == TextSchema::Layout::Delimited;
    const bool tabSeparates = delimited && m_schema.separator == u'\t';
    constexpr quint64 Ones = 0x0101010101010101ULL;
    constexpr quint64 HighBits = 0x8080808080808080ULL;
    quint64 high = 0;
    quint64 flagged = 0;
    qsizetype done = 0;
    for (; done + 8 <= bytes.size(); done += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + done, sizeof word);
        high |= word;
        flagged |= (word - Ones * 0x20) & ~word;
        const quint64 deletes = word ^ (Ones * 0x7F);
        flagged |= (deletes - Ones) & ~deletes;
    }
    bool suspect = (flagged & HighBits) != 0;
    for (; done < bytes.size(); ++done) {
        const auto byte = static_cast<uchar>(bytes[done]);
        high |= byte;
        suspect |= byte < 0x20 || byte == 0x7F;
    }
    const bool ascii = (high & HighBits) == 0;
    if (suspect && ascii) {
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (isControl(static_cast<uchar>(bytes[i]), tabSeparates)) {
                why = QStringLiteral("control character (code %1) at column %2").arg(int(bytes[i])).arg(i + 1);
                return false;
            }
        }
    }
    QString text;
    if (!decode(bytes, m_schema.charset, ascii, text, why))
        return false;
    if (!ascii) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (isControl(text.at(i).unicode(), tabSeparates)) {
                why = QStringLiteral("control character (code %1) at column %2")
                          .arg(int(text.at(i).unicode()))
                          .arg(i + 1);
                return false;
            }
        }
    }
    if (delimited) {
        if (!splitDelimited(text, why))
            return false;
    } else if (!splitFixed(text, why)) {
        return false;
    }
    const qsizetype fieldCount = m_schema.definition.fields.size();
    if (m_values.size() != fieldCount) {
        why = QStringLiteral("%1 fields where the layout has %2").arg(m_values.size()).arg(fieldCount);
        return false;
    }
    row.resize(fieldCount);
    for (int i = 0; i < fieldCount; ++i) {
        if (!convert(i, m_values.at(i), row[i], why))
            return false;
    }
    return true;
}

// A value may stand in quotes (blanks around them are ignored); a doubled quote inside stands for one quote.
// Unquoted values run to the next separator as they are.
bool TextTableReader::splitDelimited(const QString& text, QString& why)
{
    m_values.clear();
    const QChar separator = m_schema.separator;
    const QChar quote = m_schema.quote;
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (;;) {
        const qsizetype field = m_values.size() + 1;
        qsizetype pos = start;
        while (pos < size && text.at(pos) == u' ')
            ++pos;
        qsizetype end = 0;
        if (!quote.isNull() && pos < size && text.at(pos) == quote) {
            QString value;
            bool escaped = false; // value is only built when doubled quotes need joining
            const qsizetype first = ++pos;
            for (;;) {
                const qsizetype close = text.indexOf(quote, pos);
                if (close < 0) {
                    why = QStringLiteral("unterminated quote in field %1").arg(field);
                    return false;
                }
                if (close + 1 < size && text.at(close + 1) == quote) {
                    escaped = true;
                    value.append(QStringView(text).sliced(pos, close + 1 - pos));
                    pos = close + 2;
                    continue;
                }
                if (escaped)
                    value.append(QStringView(text).sliced(pos, close - pos));
                else
                    value = text.sliced(first, close - first);
                pos = close + 1;
                break;
            }
            while (pos < size && text.at(pos) == u' ')
                ++pos;
            if (pos < size && text.at(pos) != separator) {
                why = QStringLiteral("text after the closing quote of field %1").arg(field);
                return false;
            }
            end = pos;
            m_values.append(std::move(value));
        } else {
            end = text.indexOf(separator, start);
            if (end < 0)
                end = size;
            m_values.append(text.sliced(start, end - start));
        }
        if (end >= size)
            return true;
        start = end + 1;
    }
}

bool TextTableReader::splitFixed(const QString& text, QString& why)
{
    m_values.clear();
    const QStringView line(text);
    const qsizetype size = line.size();
    qsizetype layoutEnd = 0;
    for (qsizetype i = 0; i < m_schema.offsets.size(); ++i) {
        const qsizetype offset = m_schema.offsets.at(i);
        const qsizetype width = m_schema.widths.at(i);
        layoutEnd = std::max(layoutEnd, offset + width);
        const QStringView cell = offset >= size ? QStringView() : line.sliced(offset, std::min(width, size - offset));
        m_values.append(trimBlanks(cell, true).toString());
    }
    if (size > layoutEnd && !trimBlanks(line.sliced(layoutEnd), true).isEmpty()) {
        why = QStringLiteral("text beyond column %1, where the layout ends").arg(layoutEnd);
        return false;
    }
    return true;
}

bool TextTableReader::convert(int field, QString value, QVariant& result, QString& why) const
{
    const FieldDef& def = m_schema.definition.fields.at(field);
    switch (def.type) {
    case FieldType::Alpha: {
        const QStringView trimmed = trimBlanks(value, false);
        if (trimmed.size() > def.size) {
            why = QStringLiteral("'%1' is longer than the %2 characters of field %3")
                      .arg(quoted(trimmed))
                      .arg(def.size)
                      .arg(def.name);
            return false;
        }
        value.truncate(trimmed.size());
        result = value;
        return true;
    }
    case FieldType::Short: {
        const QString number = value.trimmed();
        if (number.isEmpty()) {
            result = QVariant();
            return true;
        }
        bool ok = false;
        const short parsed = number.toShort(&ok, 10);
        if (!ok) {
            why = QStringLiteral("'%1' in field %2 is not a number from -32768 to 32767").arg(quoted(number), def.name);
            return false;
        }
        result = int(parsed);
        return true;
    }
    case FieldType::Memo:
        result = value;
        return true;
    }
    why = QStringLiteral("field %1 has an unknown type").arg(def.name);
    return false;
}

} // namespace db
