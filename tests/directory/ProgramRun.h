#pragma once

#include "PeerProcess.h"

#include "directory/DirectoryProgram.h"
#include "directory/TfrmMain.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs the program's start-up and message loop; once the loop runs, `inspect` looks at the program and the main
// window is closed, which ends the run. A run that does not end within `deadlineMs` is ended as failed.
inline int runProgram(
    DirectoryProgram& program, const std::function<void()>& inspect, int deadlineMs = 2 * processDeadlineMs)
{
    program.start();
    QTimer::singleShot(0, [&] {
        inspect();
        if (program.mainWindow())
            program.mainWindow()->close();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the program did not end";
        program.application().Terminate(1);
    });
    deadline.start(deadlineMs);
    return program.exec();
}
