#include "directory/DirectoryProgram.h"

#include "common/ProgramLinks.h"
#include "common/TAboutBox.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmImportAscii.h"
#include "directory/TfrmMain.h"
#include "platform/modal/MessageRequest.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>

#include <memory>

namespace {

constexpr int splashExposeMs = 1000;

// The About window without caption and without OK, showing "Loading..." until the main window is ready. Creating
// it runs the single-instance guard: a second start of the program ends here, before any table opens.
std::unique_ptr<TAboutBox> showSplash(os::WindowDirectory& windows)
{
    auto splash = std::make_unique<TAboutBox>(nullptr, &windows);
    splash->setWindowTitle(QString());
    splash->show();
    // The window system puts a new window on the screen only after it has answered the show; until the message loop
    // runs nothing else would let it, so the splash waits for that (briefly) before it paints itself.
    const QDeadlineTimer deadline(splashExposeMs);
    while (!splash->windowHandle()->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    splash->repaint();
    return splash;
}

} // namespace

DirectoryProgram::DirectoryProgram()
{
    // This program's help messages have always been captioned as its other warnings are.
    m_help.setMessageCaption(modal::MessageRequest::captionFor(modal::MessageKind::Warning));
}

DirectoryProgram::~DirectoryProgram() = default;

int DirectoryProgram::run()
{
    start();
    return exec();
}

void DirectoryProgram::start()
{
    std::unique_ptr<TAboutBox> splash = showSplash(m_windows);

    m_application.setTitle(ProgramLinks::MainWindowCaption);
    m_application.setHelpFile(ProgramLinks::DirectoryHelpFile);
    // The list printer finds this program by its application title as well as by its main window's.
    m_windows.publishTitle(ProgramLinks::MainWindowCaption, [this] { return m_application.MainForm(); });

    m_dataModule = &m_application.CreateForm<TfrmDataMod>();
    // A preview killed in an earlier run left copies as large as the file it read.
    TfrmImportAscii::removeAbandonedWork();
    m_mainWindow = &m_application.CreateForm<TfrmMain>(*m_dataModule, m_windows, m_help);
    closeOnTerminationSignal();

    splash->hide();
    splash.reset();
}

void DirectoryProgram::closeOnTerminationSignal()
{
    // A logout or a kill is a close of the main window: the prefix is saved and the list printer told to quit.
    // An open dialog does not hold it back: the end of the program ends the dialog's loop too.
    QObject::connect(
        &m_terminationSignals, &os::TerminationSignals::received, m_mainWindow, [this] { m_mainWindow->close(); });
}

int DirectoryProgram::exec()
{
    return m_application.Run();
}
