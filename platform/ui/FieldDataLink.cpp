#include "platform/ui/FieldDataLink.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DataSourceBinding.h"
#include "platform/db/Field.h"
#include "platform/ui/Guard.h"

namespace ui {

FieldDataLink::FieldDataLink(QObject* parent)
    : QObject(parent)
{
}

void FieldDataLink::setDataSource(db::DataSource* source)
{
    if (!bindDataSource(m_source, source, this, &FieldDataLink::recordChanged, FollowScrolling::Yes)) {
        return;
    }
    if (source) {
        connect(source, &db::DataSource::fieldChanged, this, &FieldDataLink::onFieldChanged);
    }
    emit recordChanged();
}

void FieldDataLink::setFieldName(const QString& name)
{
    if (m_fieldName == name) {
        return;
    }
    m_fieldName = name;
    emit recordChanged();
}

db::DataSet* FieldDataLink::activeDataSet() const
{
    if (!m_source || m_source->State() == db::DataSetState::Inactive) {
        return nullptr;
    }
    return m_source->DataSet();
}

db::Field* FieldDataLink::field() const
{
    const db::DataSet* const dataSet = activeDataSet();
    return dataSet && !m_fieldName.isEmpty() ? dataSet->FindField(m_fieldName) : nullptr;
}

bool FieldDataLink::editing() const
{
    const db::DataSet* const dataSet = activeDataSet();
    return dataSet && (dataSet->State() == db::DataSetState::Edit || dataSet->State() == db::DataSetState::Insert);
}

bool FieldDataLink::edit()
{
    const db::Field* const bound = field();
    if (!bound || bound->ReadOnly()) {
        return false;
    }
    if (editing()) {
        return true;
    }
    db::DataSet* const dataSet = activeDataSet();
    if (!m_source->AutoEdit() || dataSet->State() != db::DataSetState::Browse || !dataSet->CanModify()) {
        return false;
    }
    dataSet->Edit();
    return editing();
}

bool FieldDataLink::editForUser(bool controlReadOnly)
{
    if (controlReadOnly) {
        return false;
    }
    bool editable = false;
    guarded([&] { editable = edit(); });
    return editable;
}

void FieldDataLink::onFieldChanged(db::Field* changed)
{
    if (!changed || changed == field()) {
        emit recordChanged();
    }
}

} // namespace ui
