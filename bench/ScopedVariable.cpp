#include "bench/ScopedVariable.h"

#include <QFile>

#include <utility>

ScopedVariable::ScopedVariable(QByteArray name, const QString& value)
    : m_name(std::move(name))
    , m_wasSet(qEnvironmentVariableIsSet(m_name.constData()))
    , m_previous(qgetenv(m_name.constData()))
{
    qputenv(m_name.constData(), QFile::encodeName(value));
}

ScopedVariable::~ScopedVariable()
{
    if (m_wasSet)
        qputenv(m_name.constData(), m_previous);
    else
        qunsetenv(m_name.constData());
}
