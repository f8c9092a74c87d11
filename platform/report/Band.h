#pragma once

#include "platform/report/Control.h"
#include "platform/report/Expression.h"

#include <QString>

#include <deque>
#include <optional>

namespace report {

// A horizontal strip of a layout with its controls. Title and page footer bands span the printable width; column
// header, group header and detail bands span one column.
class Band
{
public:
    enum class Kind
    {
        Title, // once, at the top of the first page
        ColumnHeader, // at the top of every column of every page, below the title on the first
        GroupHeader, // before the first row and before every row whose group value differs from the row before
        Detail, // once per row
        PageFooter, // at the bottom of every finished page; of the last only with LastPageFooter
    };

    Band(Kind kind, const QString& name, double height);
    Band(const QString& name, double height, const QString& groupExpression); // a group header; ReportError

    Kind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    double height() const { return m_height; }
    bool spansColumn() const { return m_kind != Kind::Title && m_kind != Kind::PageFooter; }
    const std::optional<Expression>& groupExpression() const { return m_groupExpression; }

    Control& add(const Control& control); // the reference stays valid while the band lives
    const std::deque<Control>& controls() const { return m_controls; }
    Control* findControl(const QString& name);

private:
    Kind m_kind;
    QString m_name;
    double m_height;
    std::optional<Expression> m_groupExpression;
    std::deque<Control> m_controls;
};

} // namespace report
