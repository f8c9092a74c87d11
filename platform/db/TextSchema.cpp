#include "platform/db/TextSchema.h"

#include "platform/db/EngineError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>
#include <vector>

namespace db {
namespace {

constexpr qint64 MaxSchemaBytes = 1 << 20; // a schema is a few lines; anything this big is the wrong file
constexpr int MaxFields = 255;
constexpr int MaxColumn = 1 << 20; // keeps offset + width far from overflow and absurd line lengths

[[noreturn]] void fail(const QString& path, int line, const QString& why)
{
    throw EngineError(QStringLiteral("%1, line %2: %3").arg(path).arg(line).arg(why));
}

struct FieldLine
{
    QString text;
    int line = 0;
};

bool parseCount(const QString& text, int minimum, int maximum, int& value)
{
    bool ok = false;
    value = text.toInt(&ok, 10);
    return ok && value >= minimum && value <= maximum;
}

bool isUsableFieldName(const QString& name)
{
    return !name.isEmpty()
        && std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x20 || c == u'"'; });
}

std::optional<FieldType> typeFromName(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == u"alpha")
        return FieldType::Alpha;
    if (lower == u"short")
        return FieldType::Short;
    if (lower == u"memo")
        return FieldType::Memo;
    return std::nullopt;
}

std::optional<TextSchema::Charset> charsetFromName(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == u"utf-8" || lower == u"utf8")
        return TextSchema::Charset::Utf8;
    if (lower == u"latin1" || lower == u"latin-1" || lower == u"iso-8859-1")
        return TextSchema::Charset::Latin1;
    if (lower == u"ascii" || lower == u"us-ascii")
        return TextSchema::Charset::Ascii;
    if (lower == u"windows-1252" || lower == u"cp1252")
        return TextSchema::Charset::Windows1252;
    return std::nullopt;
}

void addField(TextSchema& schema, const QString& path, int number, const FieldLine& field)
{
    const bool fixed = schema.layout == TextSchema::Layout::Fixed;
    QStringList parts = field.text.split(u',');
    for (QString& part : parts)
        part = part.trimmed();
    const int expected = fixed ? 4 : 3;
    if (parts.size() != expected) {
        fail(path, field.line,
            fixed ? QStringLiteral("field%1 needs name,type,size,offset in a fixed layout").arg(number)
                  : QStringLiteral("field%1 needs name,type,size in a delimited layout").arg(number));
    }
    const QString& name = parts.at(0);
    if (!isUsableFieldName(name))
        fail(path, field.line, QStringLiteral("field%1 has no usable name").arg(number));
    if (schema.definition.fieldIndex(name) >= 0)
        fail(path, field.line, QStringLiteral("field name '%1' is used twice").arg(name));
    const std::optional<FieldType> type = typeFromName(parts.at(1));
    if (!type)
        fail(path, field.line, QStringLiteral("unknown field type '%1' (alpha, short or memo)").arg(parts.at(1)));

    int size = 0;
    if (*type == FieldType::Alpha) {
        if (!parseCount(parts.at(2), 1, maxAlphaSize, size))
            fail(path, field.line,
                QStringLiteral("alpha size must be 1 to %1, not '%2'").arg(maxAlphaSize).arg(parts.at(2)));
    } else if (!parseCount(parts.at(2), fixed ? 1 : 0, MaxColumn, size)) {
        fail(path, field.line, QStringLiteral("bad width '%1'").arg(parts.at(2)));
    }
    schema.definition.fields.append(FieldDef { name, *type, *type == FieldType::Alpha ? size : 0 });

    if (fixed) {
        int offset = 0;
        if (!parseCount(parts.at(3), 0, MaxColumn, offset))
            fail(path, field.line, QStringLiteral("bad offset '%1'").arg(parts.at(3)));
        schema.offsets.append(offset);
        schema.widths.append(size);
    }
}

// Two columns of a fixed layout that share a character would read the same text into two fields.
void checkOverlaps(const TextSchema& schema, const QString& path, const std::map<int, FieldLine>& fields)
{
    std::vector<int> order(static_cast<size_t>(schema.offsets.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return schema.offsets.at(a) < schema.offsets.at(b); });
    for (size_t i = 1; i < order.size(); ++i) {
        const int before = order[i - 1];
        const int after = order[i];
        if (schema.offsets.at(before) + schema.widths.at(before) > schema.offsets.at(after)) {
            const int later = std::max(before, after);
            fail(path, fields.at(later + 1).line,
                QStringLiteral("field%1 overlaps field%2").arg(later + 1).arg(std::min(before, after) + 1));
        }
    }
}

} // namespace

TextSchema TextSchema::load(const QString& schemaPath)
{
    QFile file(schemaPath);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("Cannot open schema file %1: %2").arg(schemaPath, file.errorString()));
    if (file.size() > MaxSchemaBytes)
        throw EngineError(QStringLiteral("%1 is not a schema file: it is too large").arg(schemaPath));
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');

    TextSchema schema;
    std::map<int, FieldLine> fields;
    QStringList keysSeen;
    bool sectionSeen = false;
    int separatorLine = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                fail(schemaPath, lineNumber, QStringLiteral("section name without closing ']'"));
            if (sectionSeen)
                fail(schemaPath, lineNumber, QStringLiteral("a second section; a schema file describes one table"));
            sectionSeen = true;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            fail(schemaPath, lineNumber, QStringLiteral("expected key=value, found '%1'").arg(line.left(40)));
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed();
        if (keysSeen.contains(key))
            fail(schemaPath, lineNumber, QStringLiteral("'%1' is given twice").arg(key));
        keysSeen.append(key);

        if (key == u"filetype") {
            const QString kind = value.toLower();
            if (kind == u"delimited")
                schema.layout = Layout::Delimited;
            else if (kind == u"fixed")
                schema.layout = Layout::Fixed;
            else
                fail(schemaPath, lineNumber, QStringLiteral("unknown filetype '%1' (delimited or fixed)").arg(value));
        } else if (key == u"separator") {
            if (value.compare(u"tab", Qt::CaseInsensitive) == 0)
                schema.separator = u'\t';
            else if (value.size() == 1)
                schema.separator = value.at(0);
            else
                fail(schemaPath, lineNumber, QStringLiteral("separator must be one character or 'tab'"));
            separatorLine = lineNumber;
        } else if (key == u"delimiter") {
            if (value.size() > 1)
                fail(schemaPath, lineNumber, QStringLiteral("delimiter must be one character or empty"));
            schema.quote = value.isEmpty() ? QChar() : value.at(0);
        } else if (key == u"charset") {
            const std::optional<Charset> charset = charsetFromName(value);
            if (!charset)
                fail(schemaPath, lineNumber,
                    QStringLiteral("unknown charset '%1' (utf-8, windows-1252, latin1 or ascii)").arg(value));
            schema.charset = *charset;
        } else if (key.startsWith(u"field")) {
            int number = 0;
            if (!parseCount(key.mid(5), 1, MaxFields, number))
                fail(schemaPath, lineNumber, QStringLiteral("'%1' is not field1 to field%2").arg(key).arg(MaxFields));
            fields[number] = FieldLine { value, lineNumber };
        } else {
            fail(schemaPath, lineNumber, QStringLiteral("unknown key '%1'").arg(key));
        }
    }

    if (schema.layout == Layout::Delimited && !schema.quote.isNull() && schema.quote == schema.separator)
        fail(schemaPath, separatorLine, QStringLiteral("separator and delimiter are the same character"));
    if (fields.empty())
        throw EngineError(QStringLiteral("%1: the schema defines no fields").arg(schemaPath));
    int expected = 1;
    for (const auto& [number, field] : fields) {
        if (number != expected)
            fail(schemaPath, field.line, QStringLiteral("field%1 is missing before field%2").arg(expected).arg(number));
        addField(schema, schemaPath, number, field);
        ++expected;
    }
    if (schema.layout == Layout::Fixed)
        checkOverlaps(schema, schemaPath, fields);
    return schema;
}

QString TextSchema::schemaPathFor(const QString& textPath)
{
    const QFileInfo info(textPath);
    const QDir folder(info.path());
    const QString wanted = info.completeBaseName() + QStringLiteral(".SCH");
    if (!folder.exists(wanted)) {
        // File names compare without regard to case, as table names do.
        const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden);
        const auto found = std::find_if(entries.cbegin(), entries.cend(),
            [&](const QString& entry) { return entry.compare(wanted, Qt::CaseInsensitive) == 0; });
        if (found != entries.cend())
            return folder.filePath(*found);
    }
    return folder.filePath(wanted);
}

} // namespace db
