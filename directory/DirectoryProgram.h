#pragma once

#include "platform/os/HelpViewer.h"
#include "platform/os/TerminationSignals.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"

class TfrmDataMod;
class TfrmMain;

// The directory program from start to end: the splash, the titles, the data module and the main window, then
// the message loop until the main window closes. Created after the QApplication.
class DirectoryProgram
{
public:
    DirectoryProgram();
    ~DirectoryProgram();
    DirectoryProgram(const DirectoryProgram&) = delete;
    DirectoryProgram& operator=(const DirectoryProgram&) = delete;

    // Starts the program and runs it until the main window closes; returns the exit code.
    int run();

    // The start-up alone, up to the message loop.
    void start();
    // The message loop: shows the main window and runs until it closes.
    int exec();

    ui::Application& application() { return m_application; }
    os::WindowDirectory& windows() { return m_windows; }
    // Null until start() has created them.
    TfrmDataMod* dataModule() const { return m_dataModule; }
    TfrmMain* mainWindow() const { return m_mainWindow; }

private:
    void closeOnTerminationSignal();

    // The help window and the window links outlive the forms that use them.
    os::WindowDirectory m_windows;
    os::HelpViewer m_help;
    ui::Application m_application;
    TfrmDataMod* m_dataModule = nullptr; // owned by the application object
    TfrmMain* m_mainWindow = nullptr; // owned by the application object
    // SIGTERM and SIGINT close the main window, so that its close steps run.
    os::TerminationSignals m_terminationSignals;
};
