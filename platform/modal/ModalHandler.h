#pragma once

#include "platform/modal/FileRequest.h"
#include "platform/modal/MessageRequest.h"
#include "platform/modal/Progress.h"
#include "platform/modal/ProgressRequest.h"

#include <memory>

class QDialog;
class QWidget;

namespace modal {

// What answers message boxes, modal dialogs and file dialogs, and shows progress windows. The desktop handler shows
// them to the user; a test installs one that answers them and records what was asked (ModalPoint).
class ModalHandler
{
public:
    virtual ~ModalHandler() = default;

    // Shows the message modally and returns the button pressed.
    virtual MessageButton showMessage(const MessageRequest& request, QWidget* parent) = 0;
    // Runs the dialog modally and returns its result code (QDialog::Accepted, QDialog::Rejected or done()'s code).
    virtual int runDialog(QDialog& dialog) = 0;
    // Asks for a file to open or to save to; an empty name when the user cancelled.
    virtual QString chooseFile(const FileRequest& request, QWidget* parent) = 0;
    // Opens a progress window, which stays open until the object returned is destroyed.
    virtual std::unique_ptr<Progress> startProgress(const ProgressRequest& request, QWidget* parent) = 0;
};

} // namespace modal
