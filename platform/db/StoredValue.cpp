#include "platform/db/StoredValue.h"

#include <limits>

namespace db {
namespace {

bool toShort(const QVariant& value, QVariant& stored, QString& why)
{
    qlonglong number = 0;
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double real = value.toDouble();
        ok = real == static_cast<double>(static_cast<qlonglong>(real));
        number = static_cast<qlonglong>(real);
        break;
    }
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) {
            stored = QVariant();
            return true;
        }
        number = text.toLongLong(&ok);
        break;
    }
    default:
        number = value.toLongLong(&ok);
        break;
    }
    if (!ok) {
        why = QStringLiteral("'%1' is not a whole number").arg(value.toString());
        return false;
    }
    if (number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max()) {
        why = QStringLiteral("%1 is outside the range of a short integer (-32768 to 32767)").arg(number);
        return false;
    }
    stored = QVariant(static_cast<int>(number));
    return true;
}

// Characters, as SQLite's length() counts them; UTF-16 units are never fewer.
bool fitsAlpha(const QString& text, const FieldDef& field, QString& why)
{
    const qsizetype length = text.size() <= field.size ? text.size() : text.toUcs4().size();
    if (length <= field.size)
        return true;
    why = QStringLiteral("the text has %1 characters, the field holds at most %2").arg(length).arg(field.size);
    return false;
}

} // namespace

bool toStoredValue(const FieldDef& field, const QVariant& value, QVariant& stored, QString& why)
{
    if (field.type == FieldType::Short) {
        if (value.isNull()) {
            stored = QVariant();
            return true;
        }
        return toShort(value, stored, why);
    }
    // Text, by far the most common, is checked where it is held and passed on without a conversion.
    const auto* const held
        = value.typeId() == QMetaType::QString ? static_cast<const QString*>(value.constData()) : nullptr;
    if (held && !held->isNull()) {
        if (field.type == FieldType::Alpha && !fitsAlpha(*held, field, why))
            return false;
        stored = value;
        return true;
    }
    QString text = value.isNull() ? QString() : value.toString();
    if (text.isNull())
        text = QStringLiteral("");
    if (field.type == FieldType::Alpha && !fitsAlpha(text, field, why))
        return false;
    stored = QVariant(text);
    return true;
}

QVariant fromColumnValue(FieldType type, const QVariant& raw)
{
    if (type == FieldType::Short) {
        if (raw.isNull())
            return {};
        return QVariant(raw.toInt());
    }
    if (raw.isNull())
        return QVariant(QStringLiteral(""));
    // Text, by far the most common, is passed on as it is rather than copied through a conversion.
    if (raw.typeId() == QMetaType::QString)
        return raw;
    return QVariant(raw.toString());
}

bool isBlankValue(const QVariant& value)
{
    if (value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

QString foldAscii(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

} // namespace db
