#pragma once

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace db {
class Field;
} // namespace db

namespace ui {

// Ties one control to one field of a data source: finds the field in the current data set, tells the control
// when what it shows may have changed, and starts editing when the user changes the value.
class FieldDataLink : public QObject
{
    Q_OBJECT

public:
    explicit FieldDataLink(QObject* parent = nullptr);

    db::DataSource* DataSource() const { return m_source; }
    void setDataSource(db::DataSource* source);
    const QString& FieldName() const { return m_fieldName; }
    void setFieldName(const QString& name);

    // The data set while the source is enabled and the data set open; else nullptr.
    db::DataSet* activeDataSet() const;
    // The bound field of the open data set; nullptr when there is none. Fields are looked up each time: a data
    // set makes new field objects when it opens.
    db::Field* field() const;
    // The data set is in Edit or Insert state.
    bool editing() const;
    // Makes the current record editable for a change by the user: true when the data set edits already, or
    // when the source allows editing on typing (AutoEdit) and the data set could be put into Edit. False for
    // a read-only field or data set. Errors of the data set (a locked record) are thrown.
    bool edit();
    // edit() for a change typed into a control: false when the control is read-only; an error of the data set
    // is shown in the error box and refuses the change.
    bool editForUser(bool controlReadOnly);

signals:
    // What the control shows may be out of date: the record, the state, the field's value or the binding.
    void recordChanged();

private:
    void onFieldChanged(db::Field* field);

    QPointer<db::DataSource> m_source;
    QString m_fieldName;
};

} // namespace ui
