#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace os {

// The open-file and save-file dialogs. A caller (or a test) may give the next answer in advance with
// setNextFileName; the next dialog then does not show and returns that answer, an empty name meaning cancelled.
// Like the dialog of the desktop it stands for, one object remembers the name chosen last and proposes it again.
class FileDialog
{
public:
    struct Options
    {
        QString caption;
        QString folder; // the starting folder; a folder that does not exist leaves the dialog's own choice
        // Qt's form, "Text file (*.txt);;Any file (*.*)", shown as written; the pattern *.* matches every name, one
        // without a dot too, as on the desktop these dialogs stand for.
        QString filter;
        QString defaultSuffix; // added to a name typed without one, e.g. "txt"
        QString acceptLabel; // replaces the accept button's caption, e.g. "&Export"
        bool confirmOverwrite = true; // a save dialog asks before it names an existing file
    };

    // The chosen file, or an empty name when the user cancelled.
    QString getOpenFileName(QWidget* parent, const Options& options);
    QString getSaveFileName(QWidget* parent, const Options& options);

    void setNextFileName(const QString& fileName) { m_next = fileName; }

    // The name the next dialog proposes, in its folder; every confirmed dialog sets it to the name chosen.
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

private:
    QString run(QWidget* parent, const Options& options, bool save);

    std::optional<QString> m_next;
    QString m_fileName;
};

} // namespace os
