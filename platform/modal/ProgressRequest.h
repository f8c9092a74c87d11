#pragma once

#include <QString>
#include <Qt>

namespace modal {

// One progress window as it is asked for: a long piece of work that counts its steps without knowing how many
// follow, and that the user may stop.
struct ProgressRequest
{
    QString caption;
    QString text; // shown until the first step
    QString cancelText; // the button that stops the work, e.g. "Cancel"
    QString name; // the window's object name
    Qt::WindowModality modality = Qt::ApplicationModal;
};

} // namespace modal
