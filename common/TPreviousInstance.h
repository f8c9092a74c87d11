#pragma once

#include "platform/os/NamedMutex.h"

#include <QString>

#include <memory>

// Whether another copy of the same program file was running when this one started: the program file's name is
// taken as a named mutex; the first copy holds it until it ends, a later copy finds it taken and holds nothing.
// The title by which a later copy looks for the earlier one's window is the file name less an upper-case ".EXE".
class TPreviousInstance
{
public:
    // The window title to look for; empty when the program file's name holds no ".EXE" (letter case counts).
    QString WindowTitle;
    // The mutex while this copy holds it; null when another copy holds it or it could not be created.
    std::unique_ptr<os::NamedMutex> Mutex;
    // Another copy of the same program file name held the mutex when this copy was detected.
    bool Exists = false;

    // Takes the mutex named after the running program's file and fills the three fields.
    void Detect();
    // The same for a given program file (its path or bare name) and a given folder of lock files.
    void Detect(const QString& programFile, const QString& lockFolder);

    void SetWindowTitle(const QString& fileName);
    void GetWindowTitle(QString& title) const;

    // Lets the mutex go if this copy holds it; a second call does nothing.
    void releaseMutex();
};
