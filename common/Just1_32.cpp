#include "common/Just1_32.h"

#include "common/TPreviousInstance.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The guard's unit state: the one detector of the process, from the guard's start-up to its shut-down.
std::unique_ptr<TPreviousInstance> previousInstance;

void shutDown()
{
    if (previousInstance)
        previousInstance->releaseMutex();
}

} // namespace

Just1_32::Just1_32(const QString& programFile, const QString& lockFolder)
{
    previousInstance = std::make_unique<TPreviousInstance>();
    previousInstance->Detect(programFile, lockFolder);
}

Just1_32::~Just1_32()
{
    shutDown();
    previousInstance.reset();
}

TPreviousInstance* Just1_32::PreviousInstance()
{
    return previousInstance.get();
}

void Just1_32::halt()
{
    shutDown();
    std::fflush(nullptr);
    // Not exit(): the toolkit's threads and global objects would be torn down under windows that still exist.
    std::_Exit(0);
}
