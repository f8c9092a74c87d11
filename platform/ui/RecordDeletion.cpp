#include "platform/ui/RecordDeletion.h"

#include "platform/db/DataSet.h"
#include "platform/modal/ModalPoint.h"

namespace ui {

bool deleteRecord(db::DataSet& dataSet, bool confirm, QWidget* parent)
{
    if (confirm
        && modal::ModalPoint::message(QStringLiteral("Delete record?"), modal::MessageKind::Confirmation,
               modal::MessageButton::OK | modal::MessageButton::Cancel, parent)
            != modal::MessageButton::OK) {
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
