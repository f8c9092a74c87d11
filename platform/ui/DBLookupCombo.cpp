#include "platform/ui/DBLookupCombo.h"

namespace ui {

DBLookupCombo::DBLookupCombo(QWidget* parent)
    : DBLookupComboBox(parent)
{
    setShowsUnmatchedValue(true);
}

void DBLookupCombo::setLookupField(const QString& fieldName)
{
    setKeyField(fieldName);
    setListField(fieldName);
}

} // namespace ui
