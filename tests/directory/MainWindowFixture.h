#pragma once

#include "DirectoryTestEnvironment.h"
#include "TestInput.h"

#include "directory/PageControl.h"
#include "directory/TPasswordDlg.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmMain.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"
#include "platform/ui/DBNavigator.h"
#include "platform/modal/ModalRecorder.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
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
        EXPECT_TRUE(activateSoon(m_run->window));
        return m_run->window;
    }

    // Clicks the tab of the page.
    void switchToPage(int page)
    {
        QTabBar* const tabs = window().PageControlMain->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        ASSERT_EQ(window().PageControlMain->currentIndex(), page);
    }

    // Gives edit permission through the password dialog, and forgets the message that said so.
    void grantPermission()
    {
        nextDialog<TPasswordDlg>([](TPasswordDlg& dialog) {
            QTest::keyClicks(dialog.EdEnterPassword, QStringLiteral("directory"));
            QTest::keyClick(dialog.EdEnterPassword, Qt::Key_Return);
        });
        window().EnterPassword1->trigger();
        ASSERT_TRUE(window().unitState().EditAllowed);
        m_modal.clear();
    }

    // The next dialog shown, which must be a `Dialog`, is worked by `work`.
    template <typename Dialog> void nextDialog(const std::function<void(Dialog&)>& work)
    {
        m_modal.driveDialog([work](QDialog& shown) {
            auto* const dialog = qobject_cast<Dialog*>(&shown);
            ASSERT_TRUE(dialog) << shown.objectName().toStdString();
            work(*dialog);
        });
    }

    // The names of the navigator's buttons shown, in order.
    QStringList shownButtons()
    {
        QStringList shown;
        for (int index = 0; index < ui::DBNavigator::buttonCount; ++index) {
            const auto button = static_cast<ui::DBNavigator::Button>(index);
            if (!window().DBNavigator1->button(button)->isHidden())
                shown << ui::DBNavigator::buttonName(button);
        }
        return shown;
    }

    QStringList messages() const { return m_modal.messageTexts(); }
    bool employeeListShown() { return window().PanelEmployee->isVisible(); }
    bool departmentListShown() { return window().PanelDepartment->isVisible(); }
    void expectListsShown(bool employees, bool departments)
    {
        EXPECT_EQ(employeeListShown(), employees);
        EXPECT_EQ(departmentListShown(), departments);
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
    modal::ModalRecorder m_modal;
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
