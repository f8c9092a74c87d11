#include "listprint/ExportName.h"

namespace {

constexpr qsizetype firstNameLength = 35;

} // namespace

std::optional<ExportName> ExportName::split(QStringView name)
{
    const qsizetype comma = name.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    const qsizetype firstStart = comma + 2;
    return ExportName { name.left(comma),
        firstStart < name.size() ? name.mid(firstStart, firstNameLength) : QStringView() };
}
