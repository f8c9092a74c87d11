#include "platform/os/PrinterHolder.h"

#include <QPrintDialog>

namespace os {

bool PrinterHolder::showSetupDialog(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace os
