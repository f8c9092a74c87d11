#pragma once

#include "bench/DirectoryBench.h"
#include "ScopedEnvironmentVariable.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"
#include "platform/modal/ModalRecorder.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class TfrmDataMod;
class TfrmMain;

// The directory's main window over a directory folder, shown (on the offscreen platform when run so), for timing
// its letter list and its incremental search as the user meets them. The alias names the folder through a
// configuration of its own, and the settings store and window links use a temporary folder; the variables are
// put back when the object goes. Created after the QApplication. A message box (an error the window reports, or
// "Not Found") makes the measurement fail.
class LetterSearchBench
{
public:
    explicit LetterSearchBench(const QString& folder);
    ~LetterSearchBench();

    // Types `name` into the employee search field key by key: each key is pressed (not timed), then released and
    // timed from the release until the window has shown the record found and handled what that posted (the
    // repaint). Returns the time of each key in ms. Throws std::runtime_error when the window does not end on the
    // name, which must be an employee's.
    std::vector<double> typeName(const QString& name);

    // Fills and shows the employee letter list for `letter`, timed until the window has handled what that posted;
    // in ms. Then reads the rest of its rows, as scrolling to the end does (timed apart: restMs). `rows` receives
    // the rows of the list.
    double fillLetterList(QChar letter, qint64& rows);
    // The time the last fill took to read the rows past its first screen, in ms.
    double restMs() const { return m_restMs; }
    // Fills the same grid with the rows it holds now, read from memory: the share of the grid in a fill; in ms.
    double fillGridFromMemory();

private:
    void checkNoMessage(const QString& during) const;

    QTemporaryDir m_scratch;
    ScopedEnvironmentVariable m_settingsFolder;
    DirectoryBench m_bench; // the alias
    modal::ModalRecorder m_modal;
    ui::Application m_application;
    os::WindowDirectory m_windows;
    os::HelpViewer m_help;
    // The window goes first, then its data module.
    std::unique_ptr<TfrmDataMod> m_dataModule;
    std::unique_ptr<TfrmMain> m_window;
    double m_restMs = 0;
};
