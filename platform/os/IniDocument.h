#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace os {

// The text of an INI file: [section] lines, each followed by name=value lines. Section and value names compare
// without regard to letter case, as registry names do; the spelling first written is kept.
//
// Every string round-trips exactly. Backslash escapes carry what the line format cannot hold as it is:
// "\\" a backslash, "\n" "\r" "\t" line feed, carriage return and tab, "\uHHHH" any other control character,
// white space at either end of a string, '=' in a name, and ';' '#' '[' at the start of a name. A reader trims
// white space around names and values, skips blank lines and lines starting with ';' or '#', and ignores lines
// without '='.
class IniDocument
{
public:
    static IniDocument parse(const QByteArray& text);
    QByteArray serialize() const;

    std::optional<QString> value(const QString& section, const QString& name) const;
    void setValue(const QString& section, const QString& name, const QString& value);

private:
    struct Section
    {
        QString name;
        std::vector<std::pair<QString, QString>> values;
    };

    std::vector<Section> m_sections;
};

} // namespace os
