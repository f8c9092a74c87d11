#include "platform/modal/ModalRecorder.h"

#include "platform/modal/ModalPoint.h"

#include <QDialog>

namespace modal {

ModalRecorder::ModalRecorder()
    : m_previous(ModalPoint::setHandler(this))
{
}

ModalRecorder::~ModalRecorder()
{
    ModalPoint::setHandler(m_previous);
}

void ModalRecorder::answer(MessageButton button)
{
    m_answers.push_back(button);
}

void ModalRecorder::driveDialog(DialogDriver driver)
{
    m_drivers.push_back(std::move(driver));
}

QStringList ModalRecorder::messageTexts() const
{
    QStringList texts;
    for (const MessageRequest& request : m_messages) {
        texts.append(request.text);
    }
    return texts;
}

void ModalRecorder::clear()
{
    m_answers.clear();
    m_drivers.clear();
    m_messages.clear();
    m_dialogTitles.clear();
}

MessageButton ModalRecorder::showMessage(const MessageRequest& request, QWidget* /*parent*/)
{
    m_messages.append(request);
    if (m_answers.empty()) {
        return MessageRequest::defaultButton(request.buttons);
    }
    const MessageButton answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

int ModalRecorder::runDialog(QDialog& dialog)
{
    m_dialogTitles.append(dialog.windowTitle());
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (m_drivers.empty()) {
        if (m_defaultDriver) {
            m_defaultDriver(dialog);
        } else {
            dialog.reject();
        }
    } else {
        const DialogDriver driver = std::move(m_drivers.front());
        m_drivers.pop_front();
        driver(dialog);
    }
    if (dialog.isVisible()) {
        // The driver left it open: end it as cancelled so the caller never waits on a hidden modal loop.
        dialog.hide();
        dialog.setResult(QDialog::Rejected);
    }
    return dialog.result();
}

} // namespace modal
