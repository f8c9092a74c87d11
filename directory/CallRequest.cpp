#include "directory/CallRequest.h"

#include "common/ProgramLinks.h"
#include "platform/os/Telephony.h"
#include "platform/ui/Application.h"
#include "platform/modal/ModalPoint.h"

namespace CallRequest {

bool handsetReady(QWidget* parent)
{
    return modal::ModalPoint::message(HandsetPrompt, modal::MessageKind::Information,
               modal::MessageButton::OK | modal::MessageButton::Cancel, parent)
        == modal::MessageButton::OK;
}

QString commentFor(const QString& calledParty)
{
    return QStringLiteral("Calling ") + calledParty;
}

void place(const QString& destination, const QString& calledParty, const QString& comment)
{
    // The start-up sets the application title; a window run without the program's start-up still names it.
    const ui::Application* const application = ui::Application::instance();
    const QString title = application && !application->Title().isEmpty() ? application->Title()
                                                                         : QString(ProgramLinks::MainWindowCaption);
    os::tapiRequestMakeCall(destination, title, calledParty, comment);
}

} // namespace CallRequest
