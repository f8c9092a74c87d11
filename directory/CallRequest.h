#pragma once

#include <QLatin1StringView>
#include <QString>

class QWidget;

// The two steps of every dial, from the main window or the number chooser: the user confirms that the handset is
// picked up, then the call is handed to the desktop's call manager.
namespace CallRequest {

inline constexpr QLatin1StringView HandsetPrompt { "Please pickup the telephone handset and click the OK buttion" };

// Asks the handset prompt (OK and Cancel); true only when the answer is OK.
bool handsetReady(QWidget* parent);

// "Calling " followed by the called party.
QString commentFor(const QString& calledParty);

// Hands the call over with the application title as the application's name. Nothing waits for the call and no
// failure is reported: a missing or refusing call manager is the desktop's business.
void place(const QString& destination, const QString& calledParty, const QString& comment);

} // namespace CallRequest
