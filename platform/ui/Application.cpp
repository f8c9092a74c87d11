#include "platform/ui/Application.h"

#include "platform/modal/ModalPoint.h"

#include <QApplication>
#include <QEvent>

namespace ui {

namespace {

Application*& currentApplication()
{
    static Application* current = nullptr;
    return current;
}

} // namespace

Application::Application()
{
    currentApplication() = this;
    if (QCoreApplication* const core = QCoreApplication::instance()) {
        core->installEventFilter(this);
        core->installEventFilter(&m_menuShortcuts);
    }
}

Application::~Application()
{
    while (!m_forms.empty()) {
        m_forms.pop_back();
    }
    if (currentApplication() == this) {
        currentApplication() = nullptr;
    }
}

Application* Application::instance()
{
    return currentApplication();
}

void Application::adoptMainForm(QWidget& form)
{
    if (m_mainForm) {
        return;
    }
    m_mainForm = &form;
    form.installEventFilter(this);
}

int Application::Run()
{
    // The main window alone decides when the program ends, not the last window that closes.
    QApplication::setQuitOnLastWindowClosed(false);
    if (m_terminated) {
        return m_exitCode;
    }
    if (m_mainForm) {
        m_mainForm->show();
    }
    if (!m_mainForm || !m_mainForm->isVisible()) {
        return 0; // closed while it was shown (a start-up gate), or nothing to show
    }
    m_running = true;
    const int exitCode = QCoreApplication::exec();
    m_running = false;
    return exitCode;
}

void Application::Terminate(int exitCode)
{
    // Asked before the loop runs (during start-up), the loop is not entered at all.
    m_terminated = true;
    m_exitCode = exitCode;
    QCoreApplication::exit(exitCode);
}

void Application::ShowException(const QString& message) const
{
    modal::ModalPoint::message(
        modal::MessageRequest { message, m_title, modal::MessageKind::Error, modal::MessageButton::OK }, m_mainForm);
}

void Application::quitUnlessMainFormShown()
{
    if (m_running && (!m_mainForm || !m_mainForm->isVisible())) {
        QCoreApplication::exit(0);
    }
}

bool Application::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !m_showHint) {
        return true;
    }
    if (watched == m_mainForm && event->type() == QEvent::Close) {
        // The close handler may refuse; look once it has run whether the window really went.
        QMetaObject::invokeMethod(this, &Application::quitUnlessMainFormShown, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
