#pragma once

#include "DirectoryTestEnvironment.h"

#include "directory/TfrmDataMod.h"
#include "directory/TfrmMain.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"
#include "platform/ui/ModalRecorder.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// One run of the main window after another over the same directory, settings and window links, as successive
// starts of the program would have them. Message boxes and dialogs are answered by the recorder.
class MainWindowFixture : public ::testing::Test
{
protected:
    explicit MainWindowFixture(DirectoryTestEnvironment::Content content = DirectoryTestEnvironment::Content::Demo)
        : m_environment(content)
    {
    }

    // Creates the data module and the main window, shows the window and waits until it is active.
    TfrmMain& start()
    {
        m_run.reset();
        m_run = std::make_unique<Run>(m_windows, m_help, m_environment.programFolder());
        m_run->window.show();
        m_run->window.activateWindow();
        QApplication::setActiveWindow(&m_run->window);
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_run->window.isActiveWindow(); }, 5000));
        return m_run->window;
    }

    // Closes the window as the user would; false when the close was refused.
    bool closeWindow() { return m_run->window.close(); }

    TfrmMain& window() { return m_run->window; }
    TfrmDataMod& data() { return m_run->dataModule; }

    template <typename T = QWidget> T* component(const char* name)
    {
        T* const found = m_run->window.findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    DirectoryTestEnvironment m_environment;
    ui::Application m_application;
    ui::ModalRecorder m_modal;
    os::WindowDirectory m_windows;
    os::HelpViewer m_help;

private:
    struct Run
    {
        Run(os::WindowDirectory& windows, os::HelpViewer& help, const QString& programFolder)
            : window(dataModule, windows, help, programFolder)
        {
        }
        TfrmDataMod dataModule;
        TfrmMain window;
    };

    std::unique_ptr<Run> m_run;
};
