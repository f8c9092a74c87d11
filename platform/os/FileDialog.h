#pragma once

#include "platform/modal/FileOptions.h"

#include <QString>

class QWidget;

namespace os {

// The open-file and save-file dialogs, shown through the modal point (a test's recorder answers them). Like the
// dialog of the desktop it stands for, one object remembers the name chosen last and proposes it again.
class FileDialog
{
public:
    using Options = modal::FileOptions;

    // The chosen file, or an empty name when the user cancelled.
    QString getOpenFileName(QWidget* parent, const Options& options);
    QString getSaveFileName(QWidget* parent, const Options& options);

    // The name the next dialog proposes, in its folder; every confirmed dialog sets it to the name chosen.
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

private:
    QString run(QWidget* parent, const Options& options, bool save);

    QString m_fileName;
};

} // namespace os
