#pragma once

#include <QByteArray>
#include <QString>

// An environment variable set while the object lives; what was there before (or nothing) comes back after.
class ScopedEnvironmentVariable
{
public:
    ScopedEnvironmentVariable(QByteArray name, const QString& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

    void set(const QString& value) const;

private:
    const QByteArray m_name;
    const bool m_wasSet;
    const QByteArray m_previous;
};
