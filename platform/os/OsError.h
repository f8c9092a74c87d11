#pragma once

#include <QString>

#include <stdexcept>

namespace os {

// A failure of an operating-system service that the caller may show to the user (a picture that cannot be
// decoded, for instance). The message says what failed and why.
class OsError : public std::runtime_error
{
public:
    explicit OsError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }

    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace os
