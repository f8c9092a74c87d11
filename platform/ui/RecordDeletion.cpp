#include "platform/ui/RecordDeletion.h"

#include "platform/db/DataSet.h"
#include "platform/ui/ModalPoint.h"

namespace ui {

bool deleteRecord(db::DataSet& dataSet, bool confirm, QWidget* parent)
{
    if (confirm
        && ModalPoint::message(QStringLiteral("Delete record?"), MessageKind::Confirmation,
               MessageButton::OK | MessageButton::Cancel, parent)
            != MessageButton::OK) {
        return false;
    }
    if (dataSet.State() == db::DataSetState::Insert) {
        dataSet.Cancel();
    } else {
        dataSet.Delete();
    }
    return true;
}

} // namespace ui
