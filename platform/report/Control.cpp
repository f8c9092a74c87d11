#include "platform/report/Control.h"

namespace report {

Control::Control(Kind kind, const QString& name)
    : m_kind(kind)
    , m_name(name)
{
}

Control Control::label(const QString& name, const QString& caption)
{
    Control control(Kind::Label, name);
    control.m_text = caption;
    return control;
}

Control Control::dataField(const QString& name, const QString& fieldName)
{
    Control control(Kind::DataField, name);
    control.m_fieldName = fieldName;
    return control;
}

Control Control::expression(const QString& name, const QString& expressionText)
{
    Control control(Kind::Expression, name);
    control.m_expression.emplace(expressionText);
    return control;
}

Control Control::systemData(const QString& name, SystemData data, const QString& text)
{
    Control control(Kind::SystemData, name);
    control.m_systemData = data;
    control.m_text = text;
    return control;
}

Control& Control::at(double left, double top)
{
    m_left = left;
    m_top = top;
    return *this;
}

Control& Control::fixedSize(double width, double height)
{
    m_autoSize = false;
    m_alignToBand = false;
    m_width = width;
    m_height = height;
    return *this;
}

Control& Control::withFont(const TextFont& font)
{
    m_font = font;
    return *this;
}

Control& Control::aligned(Alignment alignment)
{
    m_alignment = alignment;
    return *this;
}

Control& Control::alignedToBand(Alignment alignment)
{
    m_autoSize = true;
    m_alignToBand = true;
    m_alignment = alignment;
    return *this;
}

Control& Control::wordWrapped(bool wrap)
{
    m_wordWrap = wrap;
    return *this;
}

} // namespace report
