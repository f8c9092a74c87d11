#include "directory/DialText.h"

#include <QLatin1StringView>

#include <array>

namespace DialText {
namespace {

constexpr QChar comma { u',' };

// Case is ignored for the letters a to z only: other letters never match a separator, whatever their case.
QChar asciiUpper(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - u'a' + u'A') : c;
}

bool matchesAt(const QString& text, qsizetype at, QLatin1StringView pattern)
{
    if (at + pattern.size() > text.size())
        return false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (asciiUpper(text.at(at + i)) != QLatin1Char(pattern.at(i)))
            return false;
    }
    return true;
}

// Every occurrence replaced in one pass from left to right; the text put in is not looked at again.
QString replaceAll(const QString& text, QLatin1StringView pattern, QStringView replacement)
{
    QString result;
    result.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        if (matchesAt(text, at, pattern)) {
            result += replacement;
            at += pattern.size();
        } else {
            result += text.at(at);
            ++at;
        }
    }
    return result;
}

struct Replacement
{
    QLatin1StringView pattern;
    QStringView by;
};

// The order matters: "EXTENSION" before "EXT", so that the whole word is one separator.
constexpr std::array<Replacement, 9> replacements { {
    { QLatin1StringView("AND"), u"," },
    { QLatin1StringView("OR"), u"," },
    { QLatin1StringView("EXTENSION"), u"," },
    { QLatin1StringView("EXT"), u"," },
    { QLatin1StringView("."), u"," },
    { QLatin1StringView(";"), u"," },
    { QLatin1StringView("*"), u"" },
    { QLatin1StringView(" "), u"" },
    { QLatin1StringView("+"), u"" },
} };

} // namespace

QString upperCase(const QString& number)
{
    QString upper = number;
    for (QChar& c : upper)
        c = asciiUpper(c);
    return upper;
}

bool holdsSeveralNumbers(const QString& upper)
{
    for (const QLatin1StringView separator : { QLatin1StringView("AND"), QLatin1StringView("OR"),
             QLatin1StringView(";"), QLatin1StringView(","), QLatin1StringView("EXT") }) {
        if (upper.contains(separator))
            return true;
    }
    return false;
}

QString cleaned(const QString& upper)
{
    QString number = upper;
    number.remove(u'*');
    number.remove(u' ');
    number.remove(u'+');
    return number;
}

QString normalised(const QString& numberText)
{
    QString text = numberText;
    for (const Replacement& replacement : replacements)
        text = replaceAll(text, replacement.pattern, replacement.by);
    return text;
}

QStringList numbers(const QString& normalisedText, const QString& prefix)
{
    QStringList entries;
    for (const QStringView piece : QStringView(normalisedText).split(comma, Qt::SkipEmptyParts))
        entries.append(prefix + piece.toString());
    return entries;
}

} // namespace DialText
