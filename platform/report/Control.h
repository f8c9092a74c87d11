#pragma once

#include "platform/report/Alignment.h"
#include "platform/report/Expression.h"
#include "platform/report/TextFont.h"

#include <QString>

#include <optional>

namespace report {

// A text in a band: a label with a caption, the value of a field, the value of an expression, or system data (its
// own text followed by the print date or the page number). Positions and sizes are in inches from the band's
// top-left corner.
//
// A control is either sized to its text (the default: it grows to the right of its left edge, or from the band's
// edge it is aligned to) or a box of fixed width. A fixed box never cuts its text short, with or without word wrap:
// a text that does not fit goes on onto further lines, broken between words (inside a word only when the word
// alone is too long), and the box and its band grow by those lines, moving the bands below down. Page footers keep
// their height.
class Control
{
public:
    enum class Kind
    {
        Label,
        DataField,
        Expression,
        SystemData,
    };

    enum class SystemData
    {
        Date, // the print date in the system's short date format
        PageNumber, // counted from 1
    };

    static Control label(const QString& name, const QString& caption);
    static Control dataField(const QString& name, const QString& fieldName);
    static Control expression(const QString& name, const QString& expressionText); // ReportError when bad
    static Control systemData(const QString& name, SystemData data, const QString& text);

    // Building.
    Control& at(double left, double top);
    Control& fixedSize(double width, double height = 0); // height 0: one line of the font
    Control& withFont(const TextFont& font);
    Control& aligned(Alignment alignment);
    Control& alignedToBand(Alignment alignment); // sized to text, placed against the band's edge or centre
    Control& wordWrapped(bool wrap = true);

    const QString& name() const { return m_name; }
    Kind kind() const { return m_kind; }
    const QString& caption() const { return m_text; } // a label's caption, system data's leading text
    void setCaption(const QString& caption) { m_text = caption; }
    const QString& fieldName() const { return m_fieldName; }
    const std::optional<report::Expression>& expressionValue() const { return m_expression; }
    SystemData systemDataKind() const { return m_systemData; }

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; } // fixed boxes only
    double height() const { return m_height; } // 0: one line of the font
    bool autoSize() const { return m_autoSize; }
    bool alignToBand() const { return m_alignToBand; }
    Alignment alignment() const { return m_alignment; }
    bool wordWrap() const { return m_wordWrap; }
    const std::optional<TextFont>& font() const { return m_font; } // none: the layout's base font

private:
    Control(Kind kind, const QString& name);

    Kind m_kind;
    QString m_name;
    QString m_text;
    QString m_fieldName;
    std::optional<report::Expression> m_expression;
    SystemData m_systemData = SystemData::Date;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    bool m_autoSize = true;
    bool m_alignToBand = false;
    Alignment m_alignment = Alignment::Left;
    bool m_wordWrap = false;
    std::optional<TextFont> m_font;
};

} // namespace report
