#pragma once

#include "bench/DirectoryBench.h"
#include "ScopedEnvironmentVariable.h"
#include "platform/modal/ModalRecorder.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class DirectoryProgram;
class QAction;
class TfrmMain;

// The directory program started on a directory folder as the program starts itself (splash, data module, main
// window, the tables it opens), with its main window shown, for timing what the window does at the user's
// command. The alias names the folder through a configuration of its own; the settings store and the window links
// use temporary folders; all three variables are put back when the object goes. Created after the QApplication.
//
// A message box during the start-up or a command (an error the program reports) is recorded instead of waiting
// for a user, and makes the start-up or the command fail.
class DirectoryWindowBench
{
public:
    struct Times
    {
        double lastMs = 0;
        double firstMs = 0;
    };

    // Throws std::runtime_error (or the engine's error) when the program does not start cleanly on the folder.
    explicit DirectoryWindowBench(const QString& folder);
    ~DirectoryWindowBench();
    DirectoryWindowBench(const DirectoryWindowBench&) = delete;
    DirectoryWindowBench& operator=(const DirectoryWindowBench&) = delete;

    // The Record menu's Last, then its First, each timed from the command until the window has shown the record it
    // reached: the handler has moved the employee table and updated the window's controls, and the events that
    // posted (the repaint) are handled. Throws std::runtime_error when a command is disabled, reports an error or
    // leaves another name in the window than the table's last (first) one in the browse order.
    Times lastThenFirst();

    // A drag of the employee page's name grid's scroll thumb from the top to the bottom in `steps` even steps, each
    // timed from the thumb's move until the grid has repainted the rows it reached; the thumb at the bottom must
    // show the last employee. Returns the steps' times in ms.
    std::vector<double> dragThumb(int steps);

    TfrmMain& mainWindow() const;
    // The table's first and last names in the browse order, read apart from the program.
    const QString& firstName() const { return m_firstName; }
    const QString& lastName() const { return m_lastName; }

private:
    double respond(QAction& command, const QString& expectedName);
    void checkNoMessage(const QString& during) const;

    QTemporaryDir m_scratch;
    ScopedEnvironmentVariable m_settingsFolder;
    ScopedEnvironmentVariable m_runtimeFolder;
    DirectoryBench m_bench; // the alias
    modal::ModalRecorder m_modal;
    QString m_firstName;
    QString m_lastName;
    std::unique_ptr<DirectoryProgram> m_program;
};
