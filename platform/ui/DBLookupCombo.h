#pragma once

#include "platform/ui/DBLookupComboBox.h"

namespace ui {

// A list-only picker bound to a field of a data source, offering the values of one field of another data source
// (the names kept in a table of groups, for a record's group). The box shows the field's value even when no row
// of the list holds it; a pick writes the value into the field, editing the bound data set.
class DBLookupCombo : public DBLookupComboBox
{
    Q_OBJECT

public:
    explicit DBLookupCombo(QWidget* parent = nullptr);

    db::DataSource* LookupSource() const { return ListSource(); }
    void setLookupSource(db::DataSource* source) { setListSource(source); }
    const QString& LookupField() const { return KeyField(); }
    void setLookupField(const QString& fieldName);
};

} // namespace ui
