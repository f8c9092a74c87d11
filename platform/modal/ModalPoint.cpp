#include "platform/modal/ModalPoint.h"

#include "platform/modal/DesktopModalHandler.h"

namespace modal {

namespace {

// The installed handler lives here, not in every caller: it is the one replaceable point of the program.
ModalHandler*& installedHandler()
{
    static ModalHandler* installed = nullptr;
    return installed;
}

} // namespace

ModalHandler& ModalPoint::handler()
{
    static DesktopModalHandler desktop;
    ModalHandler* const installed = installedHandler();
    return installed ? *installed : desktop;
}

ModalHandler* ModalPoint::setHandler(ModalHandler* handler)
{
    ModalHandler* const previous = installedHandler();
    installedHandler() = handler;
    return previous;
}

MessageButton ModalPoint::message(const QString& text, MessageKind kind, MessageButtons buttons, QWidget* parent)
{
    return message(MessageRequest { text, MessageRequest::captionFor(kind), kind, buttons }, parent);
}

MessageButton ModalPoint::message(const MessageRequest& request, QWidget* parent)
{
    return handler().showMessage(request, parent);
}

int ModalPoint::runModal(QDialog& dialog)
{
    return handler().runDialog(dialog);
}

QString ModalPoint::chooseFile(const FileRequest& request, QWidget* parent)
{
    return handler().chooseFile(request, parent);
}

std::unique_ptr<Progress> ModalPoint::startProgress(const ProgressRequest& request, QWidget* parent)
{
    return handler().startProgress(request, parent);
}

} // namespace modal
