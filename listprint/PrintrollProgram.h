#pragma once

#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"

#include <QCoreApplication>
#include <QStringList>

class TFrmDataMod;
class TFrmMain;

// Printroll from start to end: its titles, the window links, the data module and the main window, then the
// message loop until the main window closes or a quit message arrives. Created after the QApplication.
class PrintrollProgram
{
public:
    // arguments: the command line, the program itself first.
    explicit PrintrollProgram(QStringList arguments = QCoreApplication::arguments());
    ~PrintrollProgram();
    PrintrollProgram(const PrintrollProgram&) = delete;
    PrintrollProgram& operator=(const PrintrollProgram&) = delete;

    // Starts the program and runs it to its end; the exit code is 0.
    int run();
    // The start-up alone, up to the message loop.
    void start();
    // The message loop: shows the main window and runs until the program ends.
    int exec();

    ui::Application& application() { return m_application; }
    // Null until start() has created it.
    TFrmMain* mainWindow() const { return m_mainWindow; }

private:
    const QStringList m_arguments;
    // The directory program finds Printroll through these links; they outlive the forms that use them, which the
    // application object owns.
    os::WindowDirectory m_windows;
    ui::Application m_application;
    TFrmMain* m_mainWindow = nullptr; // owned by the application object
};
