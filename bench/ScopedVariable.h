#pragma once

#include <QByteArray>
#include <QString>

// An environment variable set while the object lives; what was there before (or nothing) comes back after. The
// window benchmarks point the programs' alias, settings and window-link folders at temporary ones this way, so the
// user's own are never touched.
class ScopedVariable
{
public:
    ScopedVariable(QByteArray name, const QString& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const QByteArray m_name;
    const bool m_wasSet;
    const QByteArray m_previous;
};
