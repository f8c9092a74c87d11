#include "platform/os/NamedMutex.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

NamedMutex::NamedMutex(const QString& name, const QString& folder)
{
    // The name becomes one file name; anything that would reach another folder is refused.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QChar(0)) || !ensureRuntimeFolder(folder))
        return;
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name + QLatin1String(".lock"));
    // Only a plain file of this user's own is a lock: not a link to something else, and not a named pipe, whose
    // open could wait for a writer (hence also no waiting in the open).
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        ::close(fd);
        return;
    }
    int rc = 0;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_fd = fd;
        m_result = Result::Created;
        return;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    m_result = held ? Result::AlreadyExists : Result::Failed;
}

NamedMutex::~NamedMutex()
{
    // The lock file stays: removing it could let two holders lock two different files of the same name.
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace os
