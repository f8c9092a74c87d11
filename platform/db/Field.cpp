#include "platform/db/Field.h"

#include "platform/db/DataSet.h"
#include "platform/db/EngineError.h"
#include "platform/db/StoredValue.h"

namespace db {

Field::Field(DataSet& dataSet, int index, QString name, FieldType type, int size)
    : m_dataSet(dataSet)
    , m_index(index)
    , m_name(std::move(name))
    , m_type(type)
    , m_size(size)
{
}

void Field::attach(FieldType type, int size)
{
    m_type = type;
    m_size = size;
}

QString Field::DisplayLabel() const
{
    return m_displayLabel.isEmpty() ? m_name : m_displayLabel;
}

int Field::DisplayWidth() const
{
    if (m_displayWidth > 0)
        return m_displayWidth;
    switch (m_type) {
    case FieldType::Alpha:
        return m_size;
    case FieldType::Short:
        return 6;
    case FieldType::Memo:
        return 10;
    }
    return m_size;
}

QVariant Field::Value() const
{
    if (!m_dataSet.Active())
        return {};
    return m_dataSet.m_buffer.value(m_dataSet.columnOf(m_index));
}

bool Field::IsNull() const
{
    return isBlankValue(Value());
}

QString Field::AsString() const
{
    const QVariant value = Value();
    return value.isNull() ? QString() : value.toString();
}

int Field::AsInteger() const
{
    return Value().toInt();
}

void Field::setValue(const QVariant& value)
{
    const DataSetState state = m_dataSet.State();
    if (state != DataSetState::Edit && state != DataSetState::Insert) {
        throw EngineError(QStringLiteral("Cannot change field '%1': %2 is not in edit or insert mode")
                              .arg(m_name, m_dataSet.describe()));
    }
    if (m_readOnly)
        throw EngineError(QStringLiteral("Field '%1' cannot be modified").arg(DisplayLabel()));
    QVariant stored;
    QString why;
    if (!toStoredValue(FieldDef { m_name, m_type, m_size }, value, stored, why))
        throw EngineError(QStringLiteral("Field '%1' cannot take the value: %2").arg(m_name, why));
    m_dataSet.setFieldValue(m_index, stored);
}

void Field::setAsString(const QString& value)
{
    setValue(QVariant(value));
}

void Field::setAsInteger(int value)
{
    setValue(QVariant(value));
}

void Field::Clear()
{
    setValue(QVariant());
}

} // namespace db
