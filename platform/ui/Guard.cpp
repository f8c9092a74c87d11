#include "platform/ui/Guard.h"

#include "platform/ui/Application.h"
#include "platform/modal/ModalPoint.h"

#include <QCoreApplication>

#include <exception>

namespace ui {

void showException(const QString& message) noexcept
{
    try {
        if (const Application* const application = Application::instance()) {
            application->ShowException(message);
        } else {
            modal::ModalPoint::message(modal::MessageRequest {
                message, QCoreApplication::applicationName(), modal::MessageKind::Error, modal::MessageButton::OK });
        }
    } catch (...) {
        // Nothing may leave an event handler, not even a failure to show the error.
    }
}

bool guarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        showException(QString::fromUtf8(error.what()));
    } catch (...) {
        showException(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

} // namespace ui
