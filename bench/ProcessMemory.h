#pragma once

#include <QByteArrayView>

#include <optional>

// The memory of this process as the kernel reports it in /proc/self/status: the resident set now (VmRSS) and its
// peak (VmHWM), in kilobytes.
class ProcessMemory
{
public:
    struct Figures
    {
        qint64 residentKb = 0;
        qint64 peakKb = 0;
    };

    static Figures read(); // zeros where the status cannot be read
    // Starts the peak afresh from the resident set now (writes 5 to /proc/self/clear_refs); false when the kernel
    // refuses, in which case the peak still counts from the start of the process.
    static bool resetPeak();

    // The value of a "Name:   1234 kB" line of a status text.
    static std::optional<qint64> fieldKb(QByteArrayView status, QByteArrayView name);
};
