#include "platform/report/ReportLayout.h"

namespace report {

Band& ReportLayout::addBand(Band::Kind kind, const QString& name, double height)
{
    return m_bands.emplace_back(kind, name, height);
}

Band& ReportLayout::addGroupHeader(const QString& name, double height, const QString& groupExpression)
{
    return m_bands.emplace_back(name, height, groupExpression);
}

Band* ReportLayout::findBand(const QString& name)
{
    for (Band& band : m_bands) {
        if (band.name() == name)
            return &band;
    }
    return nullptr;
}

Control* ReportLayout::findControl(const QString& name)
{
    for (Band& band : m_bands) {
        if (Control* control = band.findControl(name))
            return control;
    }
    return nullptr;
}

QString ReportLayout::title() const
{
    for (const Band& band : m_bands) {
        if (band.kind() != Band::Kind::Title)
            continue;
        for (const Control& control : band.controls()) {
            if (control.kind() == Control::Kind::Label && !control.caption().trimmed().isEmpty())
                return control.caption().trimmed();
        }
    }
    return {};
}

} // namespace report
