#include "ScopedEnvironmentVariable.h"

#include <QFile>

ScopedEnvironmentVariable::ScopedEnvironmentVariable(QByteArray name, const QString& value)
    : m_name(std::move(name))
    , m_wasSet(qEnvironmentVariableIsSet(m_name.constData()))
    , m_previous(qgetenv(m_name.constData()))
{
    set(value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable()
{
    if (m_wasSet)
        qputenv(m_name.constData(), m_previous);
    else
        qunsetenv(m_name.constData());
}

void ScopedEnvironmentVariable::set(const QString& value) const
{
    qputenv(m_name.constData(), QFile::encodeName(value));
}
