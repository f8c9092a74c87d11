#include "platform/modal/ModalRecorder.h"

#include "platform/modal/FileDialogWindow.h"
#include "platform/modal/ModalPoint.h"

#include <QCoreApplication>
#include <QDialog>

namespace modal {

namespace {

// A progress window that is never shown: it notes each step and stops where the test said.
class RecordedProgress : public Progress
{
public:
    RecordedProgress(QStringList& steps, int cancelAt)
        : m_steps(steps)
        , m_cancelAt(cancelAt)
    {
    }

    void step(const QString& text) override
    {
        m_steps.append(text);
        ++m_done;
        // The program goes on answering its other windows, as it does with the window shown.
        QCoreApplication::processEvents();
    }

    bool cancelled() const override { return m_cancelAt > 0 && m_done >= m_cancelAt; }

private:
    QStringList& m_steps;
    int m_cancelAt;
    int m_done = 0;
};

} // namespace

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

void ModalRecorder::answerFile(const QString& fileName)
{
    m_fileAnswers.emplace_back(fileName);
}

void ModalRecorder::driveFileDialog(FileDialogDriver driver)
{
    m_fileAnswers.emplace_back(std::move(driver));
}

void ModalRecorder::cancelProgressAt(int step)
{
    m_progressCancels.push_back(step);
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
    m_fileAnswers.clear();
    m_progressCancels.clear();
    m_messages.clear();
    m_dialogTitles.clear();
    m_fileRequests.clear();
    m_progressRequests.clear();
    m_progressSteps.clear();
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
    if (m_drivers.empty()) {
        return drive(dialog, m_defaultDriver);
    }
    const DialogDriver driver = std::move(m_drivers.front());
    m_drivers.pop_front();
    return drive(dialog, driver);
}

QString ModalRecorder::chooseFile(const FileRequest& request, QWidget* parent)
{
    m_fileRequests.append(request);
    if (m_fileAnswers.empty()) {
        return {};
    }
    const std::variant<QString, FileDialogDriver> answer = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    if (const QString* const fileName = std::get_if<QString>(&answer)) {
        return *fileName;
    }
    FileDialogWindow dialog(request, parent);
    const FileDialogDriver& driver = std::get<FileDialogDriver>(answer);
    drive(dialog, [&driver](QDialog& shown) { driver(static_cast<QFileDialog&>(shown)); });
    return dialog.chosenFile();
}

std::unique_ptr<Progress> ModalRecorder::startProgress(const ProgressRequest& request, QWidget* /*parent*/)
{
    m_progressRequests.append(request);
    int cancelAt = 0;
    if (!m_progressCancels.empty()) {
        cancelAt = m_progressCancels.front();
        m_progressCancels.pop_front();
    }
    return std::make_unique<RecordedProgress>(m_progressSteps, cancelAt);
}

int ModalRecorder::drive(QDialog& dialog, const DialogDriver& driver)
{
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (driver) {
        driver(dialog);
    } else {
        dialog.reject();
    }
    if (dialog.isVisible()) {
        // The driver left it open: end it as cancelled so the caller never waits on a hidden modal loop.
        dialog.hide();
        dialog.setResult(QDialog::Rejected);
    }
    return dialog.result();
}

} // namespace modal
