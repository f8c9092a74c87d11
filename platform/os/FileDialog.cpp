#include "platform/os/FileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>

namespace os {

namespace {

// The desktop's dialogs that these stand for match "*.*" against every name, a name without a dot included; Qt's
// would leave such names out, so Qt is given "*" in its place.
QString matchingEveryName(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !filter.endsWith(QLatin1Char(')')))
        return filter;
    QStringList patterns = filter.mid(open + 1, filter.size() - open - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    }
    return filter.left(open + 1) + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

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
    if (!options.filter.isEmpty()) {
        const QStringList shown = options.filter.split(QStringLiteral(";;"));
        QStringList matching;
        for (const QString& filter : shown)
            matching << matchingEveryName(filter);
        dialog.setNameFilters(matching);
        // The list of file types shows the filters as the caller wrote them.
        auto* const types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (types && types->count() == shown.size()) {
            for (int i = 0; i < types->count(); ++i)
                types->setItemText(i, shown.at(i));
        }
    }
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
