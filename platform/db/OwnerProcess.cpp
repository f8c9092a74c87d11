#include "platform/db/OwnerProcess.h"

#include <QCoreApplication>

#include <cerrno>
#include <climits>
#include <csignal>

namespace db {

QString OwnerProcess::currentId()
{
    return QString::number(QCoreApplication::applicationPid());
}

bool OwnerProcess::hasEnded(const QString& id)
{
    bool isNumber = false;
    const qlonglong pid = id.toLongLong(&isNumber);
    // Zero and negative ids would name process groups; the id must be written as the number it is.
    if (!isNumber || pid <= 0 || pid > INT_MAX || QString::number(pid) != id)
        return false;
    // Signal 0 only asks whether the process exists; another user's process answers EPERM and stays alive.
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace db
