#pragma once

#include <QString>

#include <stdexcept>

// A set-up step that cannot be done as asked (a folder that already holds a directory, a bad argument). Its
// message says what and why; the set-up tool prints it.
class SetupError : public std::runtime_error
{
public:
    explicit SetupError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }

    QString message() const { return QString::fromUtf8(what()); }
};
