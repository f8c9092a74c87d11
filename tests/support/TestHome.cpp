#include "TestHome.h"

#include <QByteArray>
#include <QtGlobal>

void useTestHome()
{
    // A test binary started again as a child program keeps what its parent test set.
    if (qEnvironmentVariableIsSet("RF_TEST_HOME"))
        return;
    const QByteArray home = QByteArrayLiteral(RF_BUILD_DIR "/test-home");
    qputenv("RF_TEST_HOME", home);
    qputenv("DBENGINE_CONFIG", home + "/config/dbengine/aliases.ini");
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("APP_SETTINGS_DIR", home + "/settings");
    qputenv("APP_RUNTIME_DIR", home + "/runtime");
}
