#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

class QDialog;

namespace os {

// The help system of a program: shows a help file's contents page in a small window of its own. A help file is
// a text or HTML file; a relative name is looked up beside the program. A name in the old desktop's absolute form
// ("C:\Folder\Help\NAME.HLP") named the program's installation folder, which here is the program's own: the file
// is looked up by its bare name beside the program. A help file that is not there gets the help system's own
// message, naming the file as the program gave it, in a warning box through the modal point.
class HelpViewer
{
public:
    explicit HelpViewer(const QString& programFolder = QCoreApplication::applicationDirPath());
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // The caption of the help system's own messages, "Help" unless the program gives another.
    void setMessageCaption(const QString& caption) { m_messageCaption = caption; }

    // HELP_CONTENTS: shows the file's contents page, or reports "Cannot find the help file <name>."
    void showContents(const QString& helpFile);
    // HELP_QUIT: the program no longer needs help; closes the window.
    void quit();

    // The help window while it is open, else nullptr.
    QDialog* window() const { return m_window.get(); }

private:
    QString m_programFolder;
    QString m_messageCaption = QStringLiteral("Help");
    std::unique_ptr<QDialog> m_window;
};

} // namespace os
