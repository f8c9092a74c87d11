#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <ostream>
#include <string>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// The message of the error of type E that the action throws, or "(no error)".
template <typename E> std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& error) {
        return error.what();
    }
    return "(no error)";
}
