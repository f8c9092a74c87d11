#include "directory/DirectoryProgram.h"

#include "common/ProgramLinks.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmMain.h"
#include "platform/ui/MessageRequest.h"
#include "platform/ui/ModalPoint.h"

#include <QLabel>

#include <memory>

namespace {

// The single-instance guard's place in the start-up: a second start must end here, before any table opens.
// The program has no guard yet, so every start goes on.
void runSingleInstanceGuard() { }

// A plain window without caption that stands until the main window is ready.
std::unique_ptr<QWidget> showSplash()
{
    auto splash = std::make_unique<QLabel>(QStringLiteral("Loading..."));
    splash->setObjectName(QStringLiteral("Splash"));
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setAlignment(Qt::AlignCenter);
    splash->setFrameShape(QFrame::Box);
    splash->resize(320, 120);
    splash->show();
    splash->repaint();
    return splash;
}

} // namespace

DirectoryProgram::DirectoryProgram()
{
    // The help system's own complaints are modal boxes like every other.
    m_help.setNotFoundHandler(
        [](const QString& message) { ui::ModalPoint::message(message, ui::MessageKind::Warning); });
}

DirectoryProgram::~DirectoryProgram() = default;

int DirectoryProgram::run()
{
    start();
    return exec();
}

void DirectoryProgram::start()
{
    std::unique_ptr<QWidget> splash = showSplash();
    runSingleInstanceGuard();

    m_application.setTitle(ProgramLinks::MainWindowCaption);
    m_application.setHelpFile(ProgramLinks::DirectoryHelpFile);
    // The list printer finds this program by its application title as well as by its main window's.
    m_windows.publishTitle(ProgramLinks::MainWindowCaption, [this] { return m_application.MainForm(); });

    m_dataModule = &m_application.CreateForm<TfrmDataMod>();
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
