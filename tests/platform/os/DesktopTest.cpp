#include "platform/modal/ModalRecorder.h"
#include "platform/os/FileDialog.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/PrinterHolder.h"
#include "platform/os/PrinterSetupDialog.h"

#include "PeerProcess.h"
#include "TestFiles.h"
#include "TestPrinters.h"
#include "WhenModalShows.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QRadioButton>
#include <QScopeGuard>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(DesktopTest, SaveDialogShowsTheCallersAcceptLabelAndAddsTheSuffix)
{
    QTemporaryDir folder;
    os::FileDialog dialogs;
    QString acceptCaption;
    whenModalShows<QFileDialog>([&](QFileDialog& dialog) {
        for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons()) {
            if (dialog.findChild<QDialogButtonBox*>()->buttonRole(button) == QDialogButtonBox::AcceptRole)
                acceptCaption = button->text();
        }
        dialog.selectFile("list");
        static_cast<QDialog&>(dialog).accept(); // runs the file dialog's own checks
    });
    const QString chosen = dialogs.getSaveFileName(
        nullptr, { "Export", folder.path(), "Text file (*.txt);;Any file (*)", "txt", "&Export" });
    EXPECT_EQ(acceptCaption, "&Export");
    EXPECT_EQ(chosen, folder.filePath("list.txt"));

    whenModalShows<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.getOpenFileName(nullptr, {}), QString());
}

// The names the dialog's list offers, once it has read its folder.
QStringList listedNames(const QFileDialog& dialog)
{
    const auto* const view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row) {
        const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
        if (index.flags() & Qt::ItemIsEnabled)
            names << index.data().toString();
    }
    names.sort();
    return names;
}

TEST(DesktopTest, AnyFileIsShownAsStarDotStarAndMatchesNamesWithoutADot)
{
    QTemporaryDir folder;
    for (const char* name : { "README", "list.txt", "notes.md" })
        ASSERT_TRUE(writeFile(folder.filePath(QLatin1String(name)), "x"));
    os::FileDialog dialogs;
    QStringList shownTypes;
    QStringList listedAsText;
    QStringList listedAsAny;
    whenModalShows<QFileDialog>([&](QFileDialog& dialog) {
        const auto* const types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i)
            shownTypes << types->itemText(i);
        // A step that fails must not leave the dialog waiting.
        const auto closeAnyway = qScopeGuard([&dialog] {
            if (dialog.isVisible())
                dialog.reject();
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return !listedNames(dialog).isEmpty(); }));
        listedAsText = listedNames(dialog);

        // The user tabs to the list of file types and picks the next one.
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        for (int step = 0; step < 20 && QApplication::focusWidget() && QApplication::focusWidget() != types; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), types);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_TRUE(QTest::qWaitFor([&] { return listedNames(dialog).size() == 3; }));
        listedAsAny = listedNames(dialog);

        // and chooses the file without an extension from the list.
        auto* const view = dialog.findChild<QListView*>(QStringLiteral("listView"));
        const QModelIndexList readme = view->model()->match(
            view->model()->index(0, 0, view->rootIndex()), Qt::DisplayRole, "README", 1, Qt::MatchExactly);
        ASSERT_EQ(readme.size(), 1);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(readme.front()).center());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    const QString chosen = dialogs.getSaveFileName(
        nullptr, { "Export", folder.path(), "Text file (*.txt);;Any file (*.*)", "txt", "&Export", false });

    EXPECT_EQ(shownTypes, QStringList({ "Text file (*.txt)", "Any file (*.*)" }));
    EXPECT_EQ(listedAsText, QStringList { "list.txt" });
    EXPECT_EQ(listedAsAny, QStringList({ "README", "list.txt", "notes.md" }));
    EXPECT_EQ(chosen, folder.filePath("README"));
}

TEST(DesktopTest, TheRecorderAnswersAFileDialogWithoutShowingIt)
{
    modal::ModalRecorder recorder;
    os::FileDialog dialogs;
    recorder.answerFile("/data/import.txt");
    EXPECT_EQ(dialogs.getOpenFileName(nullptr, {}), "/data/import.txt");
    recorder.answerFile(QString());
    os::FileDialog::Options exportOptions;
    exportOptions.caption = "Export";
    EXPECT_EQ(dialogs.getSaveFileName(nullptr, exportOptions), QString()) << "an empty answer is a cancel";
    // The save dialog was asked to propose the name chosen last, which the cancel kept.
    ASSERT_EQ(recorder.fileRequests().size(), 2);
    EXPECT_TRUE(recorder.fileRequests().at(1).save);
    EXPECT_EQ(recorder.fileRequests().at(1).options.caption, "Export");
    EXPECT_EQ(recorder.fileRequests().at(1).fileName, "/data/import.txt");
    EXPECT_EQ(dialogs.fileName(), "/data/import.txt");
}

// A program folder, a help viewer that looks there, and the messages the viewer gave.
class HelpViewerTest : public ::testing::Test
{
protected:
    void writeHelp(const QString& name, const QByteArray& text) const
    {
        QFile help(programFolder.filePath(name));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.write(text);
    }

    QString shownText() const
    {
        const auto* const browser
            = viewer.window() ? viewer.window()->findChild<QTextBrowser*>("HelpBrowser") : nullptr;
        return browser ? browser->toPlainText() : "<no help browser>";
    }

    QStringList messages() const { return recorder.messageTexts(); }

    QTemporaryDir programFolder;
    modal::ModalRecorder recorder;
    os::HelpViewer viewer { programFolder.path() };
};

TEST_F(HelpViewerTest, HelpShowsTheContentsPageUntilHelpQuit)
{
    writeHelp("Product.HLP", "<html><body><h1>Contents</h1><p>Looking up a number</p></body></html>");
    viewer.showContents("Product.HLP");
    ASSERT_NE(viewer.window(), nullptr);
    EXPECT_TRUE(viewer.window()->isVisible());
    EXPECT_TRUE(shownText().contains("Looking up a number"));
    EXPECT_FALSE(shownText().contains("<h1>"));

    viewer.quit();
    EXPECT_EQ(viewer.window(), nullptr);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(HelpViewerTest, MissingHelpFileGetsTheHelpSystemsMessage)
{
    viewer.showContents("C:\\Product\\Help\\WINHELP\\PRODUCT.HLP");
    viewer.showContents("Product.HLP");
    EXPECT_EQ(messages(),
        QStringList({ "Cannot find the help file C:\\Product\\Help\\WINHELP\\PRODUCT.HLP.",
            "Cannot find the help file Product.HLP." }));
    EXPECT_EQ(recorder.messages().front().caption, "Help");
    EXPECT_EQ(recorder.messages().front().kind, modal::MessageKind::Warning);
    EXPECT_EQ(viewer.window(), nullptr);
    viewer.quit();
}

TEST_F(HelpViewerTest, AHelpFileNamedByADrivePathIsLookedUpByItsNameBesideTheProgram)
{
    writeHelp("PRODUCT.HLP", "Printing a list");
    viewer.showContents("C:\\Product\\Help\\WINHELP\\PRODUCT.HLP");
    ASSERT_NE(viewer.window(), nullptr);
    EXPECT_TRUE(shownText().contains("Printing a list"));
    // The bare name is looked up with its letter case: another case is another file.
    viewer.showContents("C:\\Product\\Help\\WINHELP\\Product.HLP");
    EXPECT_EQ(messages(), QStringList({ "Cannot find the help file C:\\Product\\Help\\WINHELP\\Product.HLP." }));
    viewer.quit();
}

TEST(DesktopTest, PrinterSetupWorksOnTheProgramsOnePrinter)
{
    os::PrinterHolder holder;
    QPrinter& printer = holder.printer();
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    const auto choose = [](os::PrinterSetupDialog& dialog, const QString& paper, bool accept) {
        auto* paperBox = dialog.findChild<QComboBox*>("PaperSize");
        paperBox->setCurrentIndex(paperBox->findText(paper, Qt::MatchStartsWith));
        dialog.findChild<QRadioButton*>("Landscape")->click();
        if (accept)
            dialog.accept();
        else
            dialog.reject();
    };

    // The dialog shows the printer as it is; Cancel leaves it so.
    QString shownPaper;
    whenModalShows<os::PrinterSetupDialog>([&](os::PrinterSetupDialog& dialog) {
        shownPaper = dialog.findChild<QComboBox*>("PaperSize")->currentText();
        EXPECT_TRUE(dialog.findChild<QRadioButton*>("Portrait")->isChecked());
        choose(dialog, "A5", false);
    });
    os::PrinterSetupDialog first(printer);
    EXPECT_EQ(first.exec(), QDialog::Rejected);
    EXPECT_TRUE(shownPaper.startsWith("Letter")) << shownPaper.toStdString();
    EXPECT_TRUE(printer.pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::Letter)));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

    // OK puts the choice on the printer.
    whenModalShows<os::PrinterSetupDialog>([&](os::PrinterSetupDialog& dialog) { choose(dialog, "A5", true); });
    os::PrinterSetupDialog second(printer);
    EXPECT_EQ(second.exec(), QDialog::Accepted);
    EXPECT_TRUE(printer.pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

} // namespace
