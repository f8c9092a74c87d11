#include "platform/os/IniDocument.h"

#include <QStringList>

#include <algorithm>

namespace os {

namespace {

enum class Kind
{
    Section,
    Name,
    Value
};

void appendCode(QString& out, QChar c)
{
    out += QStringLiteral("\\u%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
}

QString escape(const QString& text, Kind kind)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool atEdge = i == 0 || i == text.size() - 1;
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c.category() == QChar::Other_Control || (atEdge && c.isSpace()))
            appendCode(out, c);
        else if (kind == Kind::Name && (c == QLatin1Char('=') || (i == 0 && QStringLiteral(";#[").contains(c))))
            appendCode(out, c);
        else
            out += c;
    }
    return out;
}

QString unescape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        if (next == QLatin1Char('n')) {
            out += QLatin1Char('\n');
        } else if (next == QLatin1Char('r')) {
            out += QLatin1Char('\r');
        } else if (next == QLatin1Char('t')) {
            out += QLatin1Char('\t');
        } else if (next == QLatin1Char('u') && i + 4 < text.size()) {
            bool ok = false;
            const ushort code = text.mid(i + 1, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 4;
            } else {
                out += next;
            }
        } else {
            out += next;
        }
    }
    return out;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray& text)
{
    IniDocument doc;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    Section* current = nullptr;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = unescape(line.mid(1, line.size() - 2).trimmed());
            const auto it = std::find_if(
                doc.m_sections.begin(), doc.m_sections.end(), [&](const Section& s) { return sameName(s.name, name); });
            current = it != doc.m_sections.end() ? &*it : &doc.m_sections.emplace_back(Section { name, {} });
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        if (!current)
            current = &doc.m_sections.emplace_back(Section { QString(), {} });
        current->values.emplace_back(unescape(line.left(equals).trimmed()), unescape(line.mid(equals + 1).trimmed()));
    }
    return doc;
}

QByteArray IniDocument::serialize() const
{
    QString out;
    for (const Section& s : m_sections) {
        if (!out.isEmpty())
            out += QLatin1Char('\n');
        out += QLatin1Char('[') + escape(s.name, Kind::Section) + QLatin1String("]\n");
        for (const auto& [name, value] : s.values)
            out += escape(name, Kind::Name) + QLatin1Char('=') + escape(value, Kind::Value) + QLatin1Char('\n');
    }
    return out.toUtf8();
}

std::optional<QString> IniDocument::value(const QString& section, const QString& name) const
{
    for (const Section& s : m_sections) {
        if (!sameName(s.name, section))
            continue;
        for (const auto& [n, v] : s.values) {
            if (sameName(n, name))
                return v;
        }
    }
    return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& name, const QString& value)
{
    auto s = std::find_if(m_sections.begin(), m_sections.end(),
        [&](const Section& candidate) { return sameName(candidate.name, section); });
    if (s == m_sections.end()) {
        m_sections.push_back({ section, {} });
        s = m_sections.end() - 1;
    }
    const auto v = std::find_if(
        s->values.begin(), s->values.end(), [&](const auto& candidate) { return sameName(candidate.first, name); });
    if (v == s->values.end())
        s->values.emplace_back(name, value);
    else
        v->second = value;
}

} // namespace os
