#pragma once

#include "platform/os/RuntimeFolder.h"

#include <QString>

namespace os {

// A named mutex as programs use one to see whether another copy of themselves runs: an exclusive advisory lock
// on the file <folder>/<name>.lock, the name used exactly as given (letter case kept). The object that gets
// the lock holds it until it is destroyed; the kernel releases it when the process ends in any way, a crash
// or a kill included. Child processes do not inherit it.
class NamedMutex
{
public:
    enum class Result
    {
        Created, // this object holds the lock
        AlreadyExists, // another holder has it; this object holds nothing
        Failed // no lock file could be had (a bad name, a folder that is not this user's private one, a lock file
               // that is a link or no plain file of this user); this object holds nothing
    };

    explicit NamedMutex(const QString& name, const QString& folder = runtimeFolder());
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    Result result() const { return m_result; }
    bool alreadyExists() const { return m_result == Result::AlreadyExists; }

private:
    int m_fd = -1;
    Result m_result = Result::Failed;
};

} // namespace os
