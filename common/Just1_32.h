#pragma once

#include "platform/os/RuntimeFolder.h"

#include <QCoreApplication>
#include <QString>

class TPreviousInstance;

// The single-instance guard's start-up and shut-down. Its start-up creates PreviousInstance and detects whether
// another copy of the program file runs; its shut-down lets this copy's mutex go. Each program creates one in
// main right after the application object, before any step of its own, and keeps it until main returns.
class Just1_32
{
public:
    explicit Just1_32(const QString& programFile = QCoreApplication::applicationFilePath(),
        const QString& lockFolder = os::runtimeFolder());
    ~Just1_32();
    Just1_32(const Just1_32&) = delete;
    Just1_32& operator=(const Just1_32&) = delete;

    // The process's only TPreviousInstance; null while no guard has started (windows created outside a program's
    // start-up, as in tests, then never count as a second copy).
    static TPreviousInstance* PreviousInstance();

    // Ends the process at once with exit code 0, as a halt did: the guard's shut-down runs, no window's close
    // handler does, and the system takes back whatever else the process held.
    [[noreturn]] static void halt();
};
