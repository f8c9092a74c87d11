// Help > About and Help > Contents of both programs, on the programs' own windows.
#include "MainWindowFixture.h"

#include "common/ProgramLinks.h"
#include "common/TAboutBox.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TFrmMain.h"
#include "platform/db/Session.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

namespace {

class ProgramCommandsTest : public MainWindowFixture
{
protected:
    void TearDown() override { db::Session::defaultSession().RemoveAllPasswords(); }

    // Answers the next dialog: checks that it is the About window as Help > About shows it, then presses Enter.
    void expectAboutWindow()
    {
        m_modal.driveDialog([](QDialog& dialog) {
            auto* const about = qobject_cast<TAboutBox*>(&dialog);
            ASSERT_TRUE(about);
            EXPECT_EQ(about->windowTitle(), QStringLiteral("About Ringfolio"));
            EXPECT_TRUE(about->OKButton->isVisible());
            EXPECT_EQ(about->LabelProductName->text(), QStringLiteral("Ringfolio"));
            QApplication::setActiveWindow(about);
            ASSERT_TRUE(QTest::qWaitForWindowActive(about));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about, Qt::Key_Return);
            EXPECT_FALSE(about->isVisible()) << "Enter presses OK";
        });
    }

    static QString helpText(const os::HelpViewer& viewer)
    {
        if (!viewer.window() || !viewer.window()->isVisible())
            return QStringLiteral("<no help window>");
        return viewer.window()->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))->toPlainText();
    }
};

TEST_F(ProgramCommandsTest, BothProgramsShowTheSameAboutWindow)
{
    TfrmMain& directory = start();
    expectAboutWindow();
    directory.About1->trigger();

    TFrmDataMod listData;
    TFrmMain listPrinter(listData, m_windows, { QStringLiteral("Printroll"), QStringLiteral("Tesk") });
    listPrinter.show();
    expectAboutWindow();
    listPrinter.About1->trigger();

    EXPECT_EQ(
        m_modal.dialogTitles(), QStringList({ QStringLiteral("About Ringfolio"), QStringLiteral("About Ringfolio") }));
    EXPECT_EQ(m_modal.pendingDrivers(), 0);
    EXPECT_TRUE(m_modal.messages().isEmpty()) << m_modal.messageTexts().join(u'\n').toStdString();
}

TEST_F(ProgramCommandsTest, HelpContentsOpensEachProgramsOwnHelpFile)
{
    // The help files lie beside the programs, as the build puts them.
    m_application.setHelpFile(ProgramLinks::DirectoryHelpFile);
    TfrmMain& directory = start();
    directory.Content1->trigger();
    const QString directoryHelp = helpText(m_help);
    for (const char* topic : { "Finding a person", "Dialling a number", "Copy Record to Clipboard", "Enter Password",
             "Add/Modify Department", "Import Record", "Go to Printroll" })
        EXPECT_TRUE(directoryHelp.contains(QLatin1String(topic))) << topic;

    m_application.setHelpFile(ProgramLinks::ListPrinterHelpFile);
    TFrmDataMod listData;
    TFrmMain listPrinter(listData, m_windows, { QStringLiteral("Printroll"), QStringLiteral("Tesk") });
    listPrinter.Content1->trigger();
    const QString listHelp = helpText(listPrinter.helpViewer());
    for (const char* topic :
        { "Employee Listing", "Print Preview", "Print to Printer", "Export To ASCII File", "Return to Main Menu" })
        EXPECT_TRUE(listHelp.contains(QLatin1String(topic))) << topic;

    EXPECT_TRUE(m_modal.messages().isEmpty()) << m_modal.messageTexts().join(u'\n').toStdString();
}

} // namespace
