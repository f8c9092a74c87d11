#include "platform/os/HelpViewer.h"

#include "platform/modal/ModalPoint.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace os {

namespace {

// A drive letter, a colon and a backslash: a path of the desktop the programs came from.
bool isDrivePath(const QString& name)
{
    return name.size() > 3 && name.at(0).isLetter() && name.at(1) == QLatin1Char(':')
        && name.at(2) == QLatin1Char('\\');
}

QString localName(const QString& helpFile)
{
    return isDrivePath(helpFile) ? helpFile.mid(helpFile.lastIndexOf(QLatin1Char('\\')) + 1) : helpFile;
}

} // namespace

HelpViewer::HelpViewer(const QString& programFolder)
    : m_programFolder(programFolder)
{
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::showContents(const QString& helpFile)
{
    const QFileInfo info(QDir(m_programFolder), localName(helpFile));
    QFile file(info.absoluteFilePath());
    if (helpFile.isEmpty() || !info.isFile() || !file.open(QIODevice::ReadOnly)) {
        modal::ModalPoint::message(
            modal::MessageRequest { QStringLiteral("Cannot find the help file %1.").arg(helpFile), m_messageCaption,
                modal::MessageKind::Warning, modal::MessageButton::OK });
        return;
    }
    const QString text = QString::fromUtf8(file.readAll());

    if (!m_window) {
        // A window of its own, as the help program's was, not owned by any of the program's windows.
        m_window = std::make_unique<QDialog>();
        m_window->setObjectName(QStringLiteral("HelpViewer"));
        m_window->resize(640, 480);
        auto* layout = new QVBoxLayout(m_window.get());
        auto* browser = new QTextBrowser(m_window.get());
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
    }
    auto* browser = m_window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    // Relative links and pictures of an HTML help file are found beside it.
    browser->setSearchPaths({ info.absolutePath() });
    if (Qt::mightBeRichText(text))
        browser->setHtml(text);
    else
        browser->setPlainText(text);
    m_window->setWindowTitle(info.completeBaseName() + QLatin1String(" Help"));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void HelpViewer::quit()
{
    m_window.reset();
}

} // namespace os
