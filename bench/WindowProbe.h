#pragma once

#include <QString>
#include <QStringList>

// Times a program from the start of its process to its main window shown, as another program on the desktop sees
// it: through the window directory, by the window's title.
//
// The programs publish their titles while they start, before the main window is shown, and the directory cannot
// say whether a window is visible. What it does say is when the program answers: requests are answered by the
// program's message loop alone, and the application object enters that loop only after it has shown the main
// window. So the first answer that lists the title marks the window shown. Nothing in either program's start-up
// runs an event loop of its own before then (an error box would, and the probe would then time the box).
class WindowProbe
{
public:
    struct Result
    {
        double windowMs = 0; // from the request to start the process to the first answer that lists the title
        int polls = 0; // directory look-ups it took
    };

    // title: the whole window title, letter case included. timeoutMs bounds each wait: for the window, and for
    // the program's end after the quit.
    explicit WindowProbe(QString title, int timeoutMs = 30000);

    // Starts the program with the arguments and this process's environment, waits for its window, then posts the
    // window a quit and waits for the program to end with exit code 0, as a quit message ends it. Throws
    // std::runtime_error, naming the program and what went wrong, when it cannot start, ends before its window is
    // shown, does not show it in time, or does not end cleanly on the quit; a program still running then is killed.
    // The program's standard output is dropped; its error output appears only in such a failure's message.
    Result measure(const QString& program, const QStringList& arguments) const;

private:
    const QString m_title;
    const int m_timeoutMs;
};
