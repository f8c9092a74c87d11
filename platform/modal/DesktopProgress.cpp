#include "platform/modal/DesktopProgress.h"

#include <QCoreApplication>

namespace modal {

DesktopProgress::DesktopProgress(const ProgressRequest& request, QWidget* parent)
    : m_dialog(request.text, request.cancelText, 0, 0, parent)
{
    m_dialog.setObjectName(request.name);
    m_dialog.setWindowTitle(request.caption);
    m_dialog.setWindowModality(request.modality);
    m_dialog.setMinimumDuration(0);
    m_dialog.show();
}

void DesktopProgress::step(const QString& text)
{
    m_dialog.setLabelText(text);
    QCoreApplication::processEvents();
}

bool DesktopProgress::cancelled() const
{
    return m_dialog.wasCanceled();
}

} // namespace modal
