#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace os {

// The open-file and save-file dialogs. A caller (or a test) may give the next answer in advance with
// setNextFileName; the next dialog then does not show and returns that answer, an empty name meaning cancelled.
class FileDialog
{
public:
    struct Options
    {
        QString caption;
        QString folder; // the starting folder; a folder that does not exist leaves the dialog's own choice
        QString filter; // Qt's form: "Text file (*.txt);;Any file (*)"
        QString defaultSuffix; // added to a name typed without one, e.g. "txt"
        QString acceptLabel; // replaces the accept button's caption, e.g. "&Export"
    };

    // The chosen file, or an empty name when the user cancelled.
    QString getOpenFileName(QWidget* parent, const Options& options);
    QString getSaveFileName(QWidget* parent, const Options& options);

    void setNextFileName(const QString& fileName) { m_next = fileName; }

private:
    QString run(QWidget* parent, const Options& options, bool save);

    std::optional<QString> m_next;
};

} // namespace os
