#pragma once

#include "platform/modal/ModalHandler.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <variant>

class QFileDialog;

namespace modal {

// A handler for tests: it answers message boxes from a queue of buttons, dialogs from a queue of drivers and file
// dialogs from a queue of names or drivers, stops progress windows where told, and records what was shown. It installs
// itself on construction and puts the previous handler back when destroyed, so a test that creates one on the stack
// answers everything modal in its scope.
class ModalRecorder : public ModalHandler
{
public:
    // Works on the shown dialog as a user would (types, clicks OK); the dialog's result is what it leaves.
    using DialogDriver = std::function<void(QDialog&)>;
    // Works on the shown file dialog as a user would; the file chosen is the one it accepts.
    using FileDialogDriver = std::function<void(QFileDialog&)>;

    ModalRecorder();
    ~ModalRecorder() override;
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;

    // The next message box is answered with this button. Unanswered boxes get their default button (Enter).
    void answer(MessageButton button);
    // The next dialog is handed to this driver. A dialog without a driver goes to the default driver, and without
    // one is cancelled as Esc would.
    void driveDialog(DialogDriver driver);
    // Drives every dialog that no queued driver answers, e.g. to note each preview a test's commands show.
    void setDefaultDriver(DialogDriver driver) { m_defaultDriver = std::move(driver); }
    // The next file dialog is answered with this name without showing; an empty name cancels it. A file dialog
    // without an answer is cancelled.
    void answerFile(const QString& fileName);
    // The next file dialog shows as on the desktop and is handed to this driver.
    void driveFileDialog(FileDialogDriver driver);
    // The next progress window is stopped at its step-th step, as a press of its stop button then would. Progress
    // windows without such an answer run to the end.
    void cancelProgressAt(int step);

    const QList<MessageRequest>& messages() const { return m_messages; }
    QStringList messageTexts() const;
    const QStringList& dialogTitles() const { return m_dialogTitles; }
    const QList<FileRequest>& fileRequests() const { return m_fileRequests; }
    const QList<ProgressRequest>& progressRequests() const { return m_progressRequests; }
    const QStringList& progressSteps() const { return m_progressSteps; } // the texts of every step, in order
    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
    int pendingDrivers() const { return static_cast<int>(m_drivers.size()); }
    void clear();

    MessageButton showMessage(const MessageRequest& request, QWidget* parent) override;
    int runDialog(QDialog& dialog) override;
    QString chooseFile(const FileRequest& request, QWidget* parent) override;
    std::unique_ptr<Progress> startProgress(const ProgressRequest& request, QWidget* parent) override;

private:
    // Shows the dialog, hands it to the driver (none cancels it) and returns the result it is left with.
    static int drive(QDialog& dialog, const DialogDriver& driver);

    ModalHandler* m_previous;
    std::deque<MessageButton> m_answers;
    std::deque<DialogDriver> m_drivers;
    DialogDriver m_defaultDriver;
    std::deque<std::variant<QString, FileDialogDriver>> m_fileAnswers;
    std::deque<int> m_progressCancels;
    QList<MessageRequest> m_messages;
    QStringList m_dialogTitles;
    QList<FileRequest> m_fileRequests;
    QList<ProgressRequest> m_progressRequests;
    QStringList m_progressSteps;
};

} // namespace modal
