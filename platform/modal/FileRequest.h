#pragma once

#include "platform/modal/FileOptions.h"

#include <QString>

namespace modal {

// One open-file or save-file dialog as it is asked for.
struct FileRequest
{
    FileOptions options;
    bool save = false;
    QString fileName; // proposed in the dialog's folder; empty proposes none
};

} // namespace modal
