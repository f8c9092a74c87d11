#include "platform/db/DataSource.h"

#include "platform/db/DataSet.h"

namespace db {

DataSource::DataSource(QObject* parent)
    : QObject(parent)
{
}

void DataSource::setDataSet(db::DataSet* dataSet)
{
    if (m_dataSet == dataSet)
        return;
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    if (dataSet) {
        // A disabled source passes on state changes only, so that its controls show nothing until enabled.
        connect(dataSet, &DataSet::activeChanged, this, &DataSource::stateChanged);
        connect(dataSet, &DataSet::stateChanged, this, &DataSource::stateChanged);
        connect(dataSet, &DataSet::scrolled, this, [this]() {
            if (m_enabled)
                emit scrolled();
        });
        connect(dataSet, &DataSet::fieldChanged, this, [this](db::Field* field) {
            if (m_enabled)
                emit fieldChanged(field);
        });
        connect(dataSet, &DataSet::dataChanged, this, [this]() {
            if (m_enabled)
                emit dataChanged();
        });
        connect(dataSet, &QObject::destroyed, this, [this]() {
            emit dataSetChanged();
            emit stateChanged();
        });
    }
    emit dataSetChanged();
    emit stateChanged();
    emit dataChanged();
}

void DataSource::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    emit stateChanged();
    emit dataChanged();
}

DataSetState DataSource::State() const
{
    if (!m_dataSet || !m_enabled)
        return DataSetState::Inactive;
    return m_dataSet->State();
}

} // namespace db
