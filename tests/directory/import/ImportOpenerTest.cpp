#include "MainWindowFixture.h"

#include "directory/TPasswordDlg.h"
#include "directory/TfrmImportAscii.h"

#include <QAction>
#include <QLineEdit>

namespace {

using ImportOpenerTest = MainWindowFixture;

// "&Import Record..." asks for the editing password first, then shows the import dialog modally over the main
// window.
TEST_F(ImportOpenerTest, ImportRecordOpensTheDialogAfterThePassword)
{
    TfrmMain& main = start();
    m_modal.driveDialog([](QDialog& dialog) {
        auto* const password = qobject_cast<TPasswordDlg*>(&dialog);
        ASSERT_TRUE(password);
        QTest::keyClicks(password->EdEnterPassword, QStringLiteral("DIRECTORY"));
        QTest::keyClick(password->EdEnterPassword, Qt::Key_Return);
    });
    bool shown = false;
    m_modal.driveDialog([&](QDialog& dialog) {
        auto* const import = qobject_cast<TfrmImportAscii*>(&dialog);
        ASSERT_TRUE(import);
        shown = true;
        EXPECT_EQ(import->parentWidget(), &main);
        EXPECT_EQ(import->windowTitle(), QStringLiteral("Import ASCII File"));
    });
    main.ImportRecord1->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(m_modal.pendingDrivers(), 0);
}

} // namespace
