#pragma once

#include <QString>
#include <QVariant>

namespace db {

// A named parameter of a query (":Name" in its text). Its value is bound, never spliced into the text.
class Param
{
public:
    explicit Param(QString name)
        : m_name(std::move(name))
    {
    }

    const QString& Name() const { return m_name; }
    const QVariant& Value() const { return m_value; }
    void setValue(const QVariant& value) { m_value = value; }
    QString AsString() const { return m_value.toString(); }
    void setAsString(const QString& value) { m_value = value; }

private:
    QString m_name;
    QVariant m_value;
};

} // namespace db
