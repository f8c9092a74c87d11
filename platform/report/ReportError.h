#pragma once

#include <QString>

#include <stdexcept>

namespace report {

// Every failure of the report engine: a layout that cannot be built (a bad expression, a field the data lacks),
// an output that cannot be written. The message names what failed and why.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString& message);

    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace report
