#pragma once

#include "platform/modal/FileRequest.h"

#include <QFileDialog>

namespace modal {

// The open-file or save-file dialog as the desktop handler shows it, and as a test's recorder shows it to a driver.
class FileDialogWindow : public QFileDialog
{
public:
    FileDialogWindow(const FileRequest& request, QWidget* parent);

    // The file chosen, or an empty name when the dialog was cancelled.
    QString chosenFile() const;
};

} // namespace modal
