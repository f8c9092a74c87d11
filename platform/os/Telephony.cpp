#include "platform/os/Telephony.h"

#include <QDesktopServices>
#include <QProcess>

namespace os {

QString callManagerCommand()
{
    return qEnvironmentVariable("APP_CALL_MANAGER");
}

QUrl telUrl(const QString& destination)
{
    // Escape the bytes ourselves: QUrl's own encoding leaves characters such as ';', ',' and '@' as they are.
    const QByteArray kept = QByteArrayLiteral("*+-.()");
    QByteArray encoded = "tel:";
    for (const char byte : destination.toUtf8()) {
        const auto u = static_cast<unsigned char>(byte);
        if ((u >= '0' && u <= '9') || kept.contains(byte))
            encoded += byte;
        else
            encoded += '%' + QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
    }
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

CallRequestResult tapiRequestMakeCall(const QString& destination, const QString& application,
    const QString& calledParty, const QString& comment, const QString& callManager)
{
    if (!callManager.isEmpty()) {
        return QProcess::startDetached(callManager, { destination, application, calledParty, comment })
            ? CallRequestResult::CallManagerStarted
            : CallRequestResult::Failed;
    }
    return QDesktopServices::openUrl(telUrl(destination)) ? CallRequestResult::HandedToDesktop
                                                          : CallRequestResult::Failed;
}

} // namespace os
