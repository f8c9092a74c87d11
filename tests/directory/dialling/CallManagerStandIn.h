#pragma once

#include "DirectoryTestEnvironment.h"
#include "PeerProcess.h"

#include "directory/CallRequest.h"

#include <QFile>

// The desktop's call manager of these tests: os_argv_dump, configured as the call-manager command, writes the four
// strings of each call to a file of its own. The configuration ends with the environment.
class CallManagerStandIn
{
public:
    explicit CallManagerStandIn(DirectoryTestEnvironment& environment)
        : m_environment(environment)
    {
        m_environment.setVariable("APP_CALL_MANAGER", helperProgram(QStringLiteral("os_argv_dump")));
    }

    // The file that the next call writes its strings to.
    QString expectCall()
    {
        const QString file = m_environment.path(QStringLiteral("call-%1").arg(++m_calls));
        m_environment.setVariable("ARGV_DUMP_FILE", file);
        return file;
    }
    // The strings of the call expected in file, once they have arrived.
    static QStringList received(const QString& file) { return waitForDumpedArguments(file); }
    // The four strings that a dial of destination for calledParty hands over.
    static QStringList request(const QString& destination, const QString& calledParty)
    {
        return { destination, QStringLiteral("Ringfolio 2.5"), calledParty, QStringLiteral("Calling ") + calledParty };
    }
    // True when no call arrived in file: a call placed afterwards arrives while file is still missing.
    bool nothingArrivedIn(const QString& file)
    {
        const QString marker = expectCall();
        CallRequest::place(QStringLiteral("0"), QStringLiteral("MARKER"), QStringLiteral("marker"));
        return received(marker).value(0) == QStringLiteral("0") && !QFile::exists(file);
    }

private:
    DirectoryTestEnvironment& m_environment;
    int m_calls = 0;
};
