#include "platform/modal/FileDialogWindow.h"

#include <QComboBox>
#include <QDir>

namespace modal {

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

FileDialogWindow::FileDialogWindow(const FileRequest& request, QWidget* parent)
    : QFileDialog(parent, request.options.caption)
{
    const FileOptions& options = request.options;
    setObjectName(QStringLiteral("FileDialog"));
    // Qt's own dialog: the desktop's native one cannot be relabelled and cannot be driven by tests.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!options.folder.isEmpty() && QDir(options.folder).exists())
        setDirectory(options.folder);
    if (!options.filter.isEmpty()) {
        const QStringList shown = options.filter.split(QStringLiteral(";;"));
        QStringList matching;
        for (const QString& filter : shown)
            matching << matchingEveryName(filter);
        setNameFilters(matching);
        // The list of file types shows the filters as the caller wrote them.
        auto* const types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (types && types->count() == shown.size()) {
            for (int i = 0; i < types->count(); ++i)
                types->setItemText(i, shown.at(i));
        }
    }
    setDefaultSuffix(options.defaultSuffix);
    if (!options.confirmOverwrite)
        setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty())
        selectFile(request.fileName);
    if (!options.acceptLabel.isEmpty())
        setLabelText(QFileDialog::Accept, options.acceptLabel);
}

QString FileDialogWindow::chosenFile() const
{
    const QStringList files = selectedFiles();
    return result() == QDialog::Accepted && !files.isEmpty() ? files.constFirst() : QString();
}

} // namespace modal
