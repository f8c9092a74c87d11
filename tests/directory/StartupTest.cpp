#include "DirectoryTestEnvironment.h"
#include "ProgramRun.h"
#include "TestInput.h"
#include "TestPrinters.h"

#include "directory/TfrmDataMod.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/modal/ModalRecorder.h"
#include "platform/ui/DBEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool isVisibleTopLevel(const char* name)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
        [name](const QWidget* window) { return window->objectName() == QLatin1String(name) && window->isVisible(); });
}

// Runs the program to the close of its main window, which `inspect` sees first, shown.
int runToClose(DirectoryProgram& program, const std::function<void(TfrmMain&)>& inspect)
{
    return runProgram(program, [&] {
        TfrmMain* const main = program.mainWindow();
        ASSERT_TRUE(main);
        EXPECT_TRUE(main->isVisible());
        inspect(*main);
    });
}

TEST(StartupTest, OpensTheDirectoryShowsTheMainWindowAndPublishesBothTitles)
{
    DirectoryTestEnvironment environment;
    modal::ModalRecorder modal;
    DirectoryProgram program;

    const int exitCode = runToClose(program, [&](TfrmMain& main) {
        EXPECT_EQ(program.application().MainForm(), &main);
        EXPECT_EQ(program.application().Title(), QStringLiteral("Ringfolio 2.5"));
        EXPECT_EQ(program.application().HelpFile(), QStringLiteral("Ringfolio.HLP"));
        EXPECT_TRUE(program.dataModule()->TblEmployee1->Active());
        EXPECT_TRUE(program.dataModule()->TblSpecial->Active());
        EXPECT_FALSE(isVisibleTopLevel("AboutBox")) << "the splash goes before the message loop";
        EXPECT_EQ(modal.messageTexts(), QStringList());

        // Another program finds the directory program by its title: the application's, then the window's.
        for (int copy = 0; copy < 2; ++copy) {
            PeerProcess peer(environment.runtimeFolder());
            ASSERT_TRUE(peer.start(
                { QStringLiteral("--retitle"), QStringLiteral("Ringfolio 2.5"), QStringLiteral("Ringfolio elsewhere") },
                QStringLiteral("retitled")))
                << peer.lines().join(u'\n').toStdString();
        }
    });

    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(db::Session::defaultSession().passwords().contains(QStringLiteral("RJBalnor")))
        << "the close removes the table password";
}

TEST(StartupTest, TypingAtStartSearchesInsteadOfEditing)
{
    DirectoryTestEnvironment environment;
    modal::ModalRecorder modal;
    DirectoryProgram program;
    const int exitCode = runToClose(program, [&](TfrmMain& main) {
        const QString shownName = main.DBEditName->text();
        EXPECT_TRUE(activateSoon(main));
        QWidget* const focused = QApplication::focusWidget();
        EXPECT_EQ(focused, main.EditEmployeeSearch);
        if (focused)
            QTest::keyClicks(focused, QStringLiteral("fitz"));
        EXPECT_EQ(modal.messageTexts(), QStringList());
        EXPECT_EQ(main.EditEmployeeSearch->text(), QStringLiteral("FITZ"));
        EXPECT_TRUE(main.DBEditName->text().startsWith(QStringLiteral("FITZ")))
            << "the search found the name: " << main.DBEditName->text().toStdString() << " (was "
            << shownName.toStdString() << ")";
    });
    EXPECT_EQ(exitCode, 0);
}

TEST(StartupTest, MissingTableIsReportedAndTheWindowComesUpWithTheSavedPrefixKept)
{
    DirectoryTestEnvironment environment(DirectoryTestEnvironment::Content::NoEmployeeTable);
    environment.savePrefix(QStringLiteral("9"));
    modal::ModalRecorder modal;
    DirectoryProgram program;

    const int exitCode = runToClose(program, [&](TfrmMain& main) {
        ASSERT_EQ(modal.messages().size(), 1) << modal.messageTexts().join(u'\n').toStdString();
        const modal::MessageRequest& error = modal.messages().first();
        EXPECT_EQ(error.kind, modal::MessageKind::Error);
        EXPECT_EQ(error.caption, QStringLiteral("Ringfolio 2.5"));
        EXPECT_TRUE(error.text.contains(QStringLiteral("employee"), Qt::CaseInsensitive)) << error.text.toStdString();
        EXPECT_FALSE(program.dataModule()->TblEmployee1->Active());
        EXPECT_FALSE(program.dataModule()->TblSpecial->Active()) << "the steps after the failure are skipped";
        // ...but the remembered prefix is still read, so that the close does not wipe it.
        EXPECT_EQ(main.SpecialPrefix, QStringLiteral("9"));
    });

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(environment.savedPrefix(), QStringLiteral("9"));
}

} // namespace
