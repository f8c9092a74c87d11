#include "platform/report/DataSetRowSource.h"

#include "platform/db/DataSet.h"
#include "platform/report/ReportError.h"

namespace report {

DataSetRowSource::DataSetRowSource(db::DataSet& dataSet)
    : m_dataSet(dataSet)
{
}

void DataSetRowSource::first()
{
    checkActive();
    m_dataSet.First();
}

void DataSetRowSource::next()
{
    m_dataSet.Next();
}

bool DataSetRowSource::eof() const
{
    return m_dataSet.Eof();
}

int DataSetRowSource::fieldIndex(const QString& name)
{
    // A closed data set has no fields yet; saying so beats reporting every field as missing.
    checkActive();
    const db::Field* field = m_dataSet.FindField(name);
    if (!field)
        return -1;
    m_fields.push_back(field);
    return static_cast<int>(m_fields.size()) - 1;
}

QString DataSetRowSource::fieldText(int index) const
{
    return m_fields.at(static_cast<size_t>(index))->AsString();
}

void DataSetRowSource::checkActive() const
{
    if (!m_dataSet.Active()) {
        const QString name
            = m_dataSet.objectName().isEmpty() ? QStringLiteral("of the report") : m_dataSet.objectName();
        throw ReportError(QStringLiteral("Cannot print: the data set %1 is not open").arg(name));
    }
}

} // namespace report
