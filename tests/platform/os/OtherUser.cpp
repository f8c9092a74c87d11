#include "OtherUser.h"

#include <QFile>

#include <unistd.h>

namespace {

// High enough that no account of a test machine has it.
constexpr uid_t unusedId = 54321;

} // namespace

bool giveToAnotherUser(const QString& path)
{
    return ::geteuid() == 0 && ::lchown(QFile::encodeName(path).constData(), unusedId, unusedId) == 0;
}
