#include "platform/os/FileDialog.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/PrinterHolder.h"

#include "PeerProcess.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the next modal dialog of type T with answer, once it is shown.
template <typename T> void answerModal(const std::function<void(T*)>& answer)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            answer(dialog);
        }
    });
    timer->start(10);
}

TEST(DesktopTest, SaveDialogShowsTheCallersAcceptLabelAndAddsTheSuffix)
{
    QTemporaryDir folder;
    os::FileDialog dialogs;
    QString acceptCaption;
    answerModal<QFileDialog>([&](QFileDialog* dialog) {
        for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons()) {
            if (dialog->findChild<QDialogButtonBox*>()->buttonRole(button) == QDialogButtonBox::AcceptRole)
                acceptCaption = button->text();
        }
        dialog->selectFile(QStringLiteral("list"));
        static_cast<QDialog*>(dialog)->accept(); // runs the file dialog's own checks
    });
    const QString chosen = dialogs.getSaveFileName(nullptr,
        { QStringLiteral("Export"), folder.path(), QStringLiteral("Text file (*.txt);;Any file (*)"),
            QStringLiteral("txt"), QStringLiteral("&Export") });
    EXPECT_EQ(acceptCaption, QStringLiteral("&Export"));
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("list.txt")));

    answerModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(dialogs.getOpenFileName(nullptr, {}), QString());
}

TEST(DesktopTest, NextFileNameAnswersOneDialogWithoutShowingIt)
{
    os::FileDialog dialogs;
    dialogs.setNextFileName(QStringLiteral("/data/import.txt"));
    EXPECT_EQ(dialogs.getOpenFileName(nullptr, {}), QStringLiteral("/data/import.txt"));
    dialogs.setNextFileName(QString());
    EXPECT_EQ(dialogs.getSaveFileName(nullptr, {}), QString()) << "an empty answer is a cancel";
}

TEST(DesktopTest, HelpShowsTheContentsPageUntilHelpQuit)
{
    QTemporaryDir programFolder;
    QFile help(programFolder.filePath(QStringLiteral("Product.HLP")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("<html><body><h1>Contents</h1><p>Looking up a number</p></body></html>");
    help.close();
    QStringList messages;
    os::HelpViewer viewer(programFolder.path());
    viewer.setNotFoundHandler([&](const QString& message) { messages.append(message); });

    viewer.showContents(QStringLiteral("Product.HLP"));
    ASSERT_NE(viewer.window(), nullptr);
    EXPECT_TRUE(viewer.window()->isVisible());
    const auto* browser = viewer.window()->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Looking up a number")));
    EXPECT_FALSE(browser->toPlainText().contains(QStringLiteral("<h1>")));

    viewer.quit();
    EXPECT_EQ(viewer.window(), nullptr);
    EXPECT_TRUE(messages.isEmpty());
}

TEST(DesktopTest, MissingHelpFileGetsTheHelpSystemsMessage)
{
    QTemporaryDir programFolder;
    QStringList messages;
    os::HelpViewer viewer(programFolder.path());
    viewer.setNotFoundHandler([&](const QString& message) { messages.append(message); });

    viewer.showContents(QStringLiteral("C:\\Product\\Help\\WINHELP\\PRODUCT.HLP"));
    viewer.showContents(QStringLiteral("Product.HLP"));
    EXPECT_EQ(messages,
        QStringList({ QStringLiteral("Cannot find the help file C:\\Product\\Help\\WINHELP\\PRODUCT.HLP."),
            QStringLiteral("Cannot find the help file Product.HLP.") }));
    EXPECT_EQ(viewer.window(), nullptr);
    viewer.quit();
}

TEST(DesktopTest, AHelpFileNamedByADrivePathIsLookedUpByItsNameBesideTheProgram)
{
    QTemporaryDir programFolder;
    QFile help(programFolder.filePath(QStringLiteral("PRODUCT.HLP")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("Printing a list");
    help.close();
    QStringList messages;
    os::HelpViewer viewer(programFolder.path());
    viewer.setNotFoundHandler([&](const QString& message) { messages.append(message); });

    viewer.showContents(QStringLiteral("C:\\Product\\Help\\WINHELP\\PRODUCT.HLP"));
    ASSERT_NE(viewer.window(), nullptr);
    EXPECT_TRUE(viewer.window()->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))->toPlainText().contains(
        QStringLiteral("Printing a list")));
    // The bare name is looked up with its letter case: another case is another file.
    viewer.showContents(QStringLiteral("C:\\Product\\Help\\WINHELP\\Product.HLP"));
    EXPECT_EQ(messages, QStringList({ QStringLiteral("Cannot find the help file C:\\Product\\Help\\WINHELP\\Product.HLP.") }));
    viewer.quit();
}

TEST(DesktopTest, PrinterSetupWorksOnTheProgramsOnePrinter)
{
    os::PrinterHolder holder;
    QPrinter* printer = &holder.printer();
    QPrinter* seen = nullptr;
    answerModal<QPrintDialog>([&](QPrintDialog* dialog) {
        seen = dialog->printer();
        dialog->reject();
    });
    EXPECT_FALSE(holder.showSetupDialog(nullptr));
    EXPECT_EQ(seen, printer);
}

} // namespace
