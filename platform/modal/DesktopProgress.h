#pragma once

#include "platform/modal/Progress.h"
#include "platform/modal/ProgressRequest.h"

#include <QProgressDialog>

namespace modal {

// A progress window on the desktop: a busy bar, the text and the stop button, shown from the start.
class DesktopProgress : public Progress
{
public:
    DesktopProgress(const ProgressRequest& request, QWidget* parent);

    void step(const QString& text) override;
    bool cancelled() const override;

private:
    QProgressDialog m_dialog;
};

} // namespace modal
