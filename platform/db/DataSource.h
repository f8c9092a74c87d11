#pragma once

#include "platform/db/DataSetState.h"

#include <QObject>
#include <QPointer>

namespace db {

class DataSet;
class Field;

// Links controls (and detail tables) to a data set. While disabled, linked controls show nothing and ignore
// edits. AutoEdit lets a control start editing the data set when the user types into it.
class DataSource : public QObject
{
    Q_OBJECT

public:
    explicit DataSource(QObject* parent = nullptr);

    db::DataSet* DataSet() const { return m_dataSet; }
    void setDataSet(db::DataSet* dataSet);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool AutoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool autoEdit) { m_autoEdit = autoEdit; }
    DataSetState State() const; // Inactive when there is no data set or the source is disabled

signals:
    void dataSetChanged();
    void stateChanged();
    void scrolled();
    void fieldChanged(db::Field* field);
    void dataChanged();

private:
    QPointer<db::DataSet> m_dataSet;
    bool m_enabled = true;
    bool m_autoEdit = true;
};

} // namespace db
