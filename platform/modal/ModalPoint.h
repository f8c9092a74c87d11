#pragma once

#include "platform/modal/FileRequest.h"
#include "platform/modal/MessageRequest.h"
#include "platform/modal/Progress.h"
#include "platform/modal/ProgressRequest.h"

#include <memory>

class QDialog;
class QWidget;

namespace modal {

class ModalHandler;

// The one place through which every message box, modal dialog, file dialog and progress window passes. By default it
// shows them on the desktop; a test installs its own handler (ModalRecorder) to answer them and see what was asked.
class ModalPoint
{
public:
    ModalPoint() = delete;

    // The handler in force; the desktop handler when none is installed.
    static ModalHandler& handler();
    // Installs a handler (not owned) and returns the one it replaces; nullptr restores the desktop handler.
    static ModalHandler* setHandler(ModalHandler* handler);

    // A modal message box captioned by its kind ("Information", "Warning"); returns the button pressed.
    static MessageButton message(
        const QString& text, MessageKind kind, MessageButtons buttons = MessageButton::OK, QWidget* parent = nullptr);
    // A message box with a caption of the caller's choice (the application's error box).
    static MessageButton message(const MessageRequest& request, QWidget* parent = nullptr);
    // Runs a dialog modally and returns its result code.
    static int runModal(QDialog& dialog);
    // An open-file or save-file dialog; the chosen file, or an empty name when the user cancelled.
    static QString chooseFile(const FileRequest& request, QWidget* parent = nullptr);
    // A progress window, open until the object returned is destroyed.
    static std::unique_ptr<Progress> startProgress(const ProgressRequest& request, QWidget* parent = nullptr);
};

} // namespace modal
