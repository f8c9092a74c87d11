#pragma once

#include "platform/modal/ModalHandler.h"

namespace modal {

// Shows message boxes as real QMessageBox windows, runs dialogs, file dialogs included, with exec() and shows
// progress windows: what the user sees.
class DesktopModalHandler : public ModalHandler
{
public:
    MessageButton showMessage(const MessageRequest& request, QWidget* parent) override;
    int runDialog(QDialog& dialog) override;
    QString chooseFile(const FileRequest& request, QWidget* parent) override;
    std::unique_ptr<Progress> startProgress(const ProgressRequest& request, QWidget* parent) override;
};

} // namespace modal
