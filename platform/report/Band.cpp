#include "platform/report/Band.h"

namespace report {

Band::Band(Kind kind, const QString& name, double height)
    : m_kind(kind)
    , m_name(name)
    , m_height(height)
{
}

Band::Band(const QString& name, double height, const QString& groupExpression)
    : m_kind(Kind::GroupHeader)
    , m_name(name)
    , m_height(height)
    , m_groupExpression(std::in_place, groupExpression)
{
}

Control& Band::add(const Control& control)
{
    return m_controls.emplace_back(control);
}

Control* Band::findControl(const QString& name)
{
    for (Control& control : m_controls) {
        if (control.name() == name)
            return &control;
    }
    return nullptr;
}

} // namespace report
