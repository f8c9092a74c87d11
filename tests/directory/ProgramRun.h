#pragma once

#include "PeerProcess.h"

#include "directory/DirectoryProgram.h"
#include "directory/TfrmMain.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs the program's start-up and message loop; once the loop runs, `inspect` looks at the program and the main
// window is closed, which ends the run. A run that ends before its loop ran, or does not end within `deadlineMs`,
// fails.
inline int runProgram(
    DirectoryProgram& program, const std::function<void()>& inspect, int deadlineMs = 2 * processDeadlineMs)
{
    program.start();
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        inspected = true;
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
    const int exitCode = program.exec();
    EXPECT_TRUE(inspected) << "the program ended before its message loop ran";
    return exitCode;
}
