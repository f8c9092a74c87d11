#include "platform/modal/DesktopModalHandler.h"

#include "platform/modal/DesktopProgress.h"
#include "platform/modal/FileDialogWindow.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace modal {

namespace {

QMessageBox::Icon iconFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    case MessageKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole roleFor(MessageButton button)
{
    switch (button) {
    case MessageButton::OK:
        return QMessageBox::AcceptRole;
    case MessageButton::Yes:
        return QMessageBox::YesRole;
    case MessageButton::No:
        return QMessageBox::NoRole;
    case MessageButton::Cancel:
        return QMessageBox::RejectRole;
    case MessageButton::None:
        break;
    }
    return QMessageBox::InvalidRole;
}

} // namespace

MessageButton DesktopModalHandler::showMessage(const MessageRequest& request, QWidget* parent)
{
    QMessageBox box(iconFor(request.kind), request.caption, request.text, QMessageBox::NoButton, parent);
    const MessageButtons buttons = request.buttons ? request.buttons : MessageButtons(MessageButton::OK);
    std::map<QAbstractButton*, MessageButton> pressed;
    for (const MessageButton button :
        { MessageButton::Yes, MessageButton::No, MessageButton::OK, MessageButton::Cancel }) {
        if (!buttons.testFlag(button)) {
            continue;
        }
        QPushButton* const added = box.addButton(MessageRequest::buttonText(button), roleFor(button));
        pressed.emplace(added, button);
        if (button == MessageRequest::defaultButton(buttons)) {
            box.setDefaultButton(added);
        }
        if (button == MessageRequest::escapeButton(buttons)) {
            box.setEscapeButton(added);
        }
    }
    box.exec();
    const auto found = pressed.find(box.clickedButton());
    return found == pressed.end() ? MessageRequest::escapeButton(buttons) : found->second;
}

int DesktopModalHandler::runDialog(QDialog& dialog)
{
    return dialog.exec();
}

QString DesktopModalHandler::chooseFile(const FileRequest& request, QWidget* parent)
{
    FileDialogWindow dialog(request, parent);
    dialog.exec();
    return dialog.chosenFile();
}

std::unique_ptr<Progress> DesktopModalHandler::startProgress(const ProgressRequest& request, QWidget* parent)
{
    return std::make_unique<DesktopProgress>(request, parent);
}

} // namespace modal
