#include "platform/os/FileDialog.h"

#include "platform/modal/ModalPoint.h"

namespace os {

QString FileDialog::getOpenFileName(QWidget* parent, const Options& options)
{
    return run(parent, options, false);
}

QString FileDialog::getSaveFileName(QWidget* parent, const Options& options)
{
    return run(parent, options, true);
}

QString FileDialog::run(QWidget* parent, const Options& options, bool save)
{
    const QString chosen = modal::ModalPoint::chooseFile({ options, save, m_fileName }, parent);
    if (!chosen.isEmpty())
        m_fileName = chosen;
    return chosen;
}

} // namespace os
