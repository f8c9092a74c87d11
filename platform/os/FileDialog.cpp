#include "platform/os/FileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace os {

QString FileDialog::getOpenFileName(QWidget* parent, const Options& options)
{
    return run(parent, options, false);
}

QString FileDialog::getSaveFileName(QWidget* parent, const Options& options)
{
    return run(parent, options, true);
}

QString FileDialog::run(QWidget* parent, const Options& options, bool save)
{
    if (m_next) {
        const QString answer = *m_next;
        m_next.reset();
        if (!answer.isEmpty())
            m_fileName = answer;
        return answer;
    }
    QFileDialog dialog(parent, options.caption);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    // Qt's own dialog: the desktop's native one cannot be relabelled and cannot be driven by tests.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!options.folder.isEmpty() && QDir(options.folder).exists())
        dialog.setDirectory(options.folder);
    if (!options.filter.isEmpty())
        dialog.setNameFilter(options.filter);
    dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!m_fileName.isEmpty())
        dialog.selectFile(m_fileName);
    if (!options.acceptLabel.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, options.acceptLabel);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    m_fileName = dialog.selectedFiles().constFirst();
    return m_fileName;
}

} // namespace os
