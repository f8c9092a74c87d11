#include "platform/modal/DesktopModalHandler.h"
#include "platform/modal/ModalPoint.h"
#include "platform/modal/ModalRecorder.h"

#include "WhenModalShows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>

using modal::MessageButton;
using modal::MessageKind;
using modal::ModalPoint;

namespace {

QAbstractButton* buttonTexted(QMessageBox& box, const QString& text)
{
    for (QAbstractButton* const button : box.buttons()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

} // namespace

TEST(ModalPoint, RecorderAnswersInOrderAndRecordsWhatWasAsked)
{
    modal::ModalRecorder recorder;
    recorder.answer(MessageButton::Cancel);
    recorder.answer(MessageButton::No);
    EXPECT_EQ(ModalPoint::message(
                  "Pick up the handset.", MessageKind::Information, MessageButton::OK | MessageButton::Cancel),
        MessageButton::Cancel);
    EXPECT_EQ(ModalPoint::message("Close?", MessageKind::Information, MessageButton::Yes | MessageButton::No),
        MessageButton::No);
    // Nothing queued: the default button, as Enter would press it.
    EXPECT_EQ(ModalPoint::message("Incorrect Password", MessageKind::Warning), MessageButton::OK);
    EXPECT_EQ(ModalPoint::message("Save?", MessageKind::Information, MessageButton::Yes | MessageButton::No),
        MessageButton::Yes);

    ASSERT_EQ(recorder.messages().size(), 4);
    EXPECT_EQ(recorder.messages().at(0).caption, "Information");
    EXPECT_EQ(recorder.messages().at(0).buttons, MessageButton::OK | MessageButton::Cancel);
    EXPECT_EQ(recorder.messages().at(2).caption, "Warning");
    EXPECT_EQ(recorder.messages().at(2).kind, MessageKind::Warning);
    EXPECT_EQ(recorder.messageTexts().at(2), "Incorrect Password");
}

TEST(ModalPoint, RecorderPutsThePreviousHandlerBack)
{
    modal::ModalHandler& desktop = ModalPoint::handler();
    {
        modal::ModalRecorder outer;
        {
            modal::ModalRecorder inner;
            EXPECT_EQ(&ModalPoint::handler(), &inner);
            ModalPoint::message("inner", MessageKind::Information);
        }
        EXPECT_EQ(&ModalPoint::handler(), &outer);
        EXPECT_TRUE(outer.messages().isEmpty());
    }
    EXPECT_EQ(&ModalPoint::handler(), &desktop);
}

TEST(ModalPoint, DialogsAreDrivenOrCancelled)
{
    modal::ModalRecorder recorder;
    QDialog dialog;
    dialog.setWindowTitle("Enter Password");
    auto* const edit = new QLineEdit(&dialog);

    recorder.driveDialog([edit](QDialog& shown) {
        EXPECT_TRUE(shown.isVisible());
        QTest::keyClicks(edit, "SECRET");
        shown.accept();
    });
    EXPECT_EQ(ModalPoint::runModal(dialog), QDialog::Accepted);
    EXPECT_EQ(edit->text(), "SECRET");
    EXPECT_FALSE(dialog.isVisible());

    // No driver: cancelled as Esc would. A driver that leaves it open: closed as cancelled too.
    EXPECT_EQ(ModalPoint::runModal(dialog), QDialog::Rejected);
    recorder.driveDialog([](QDialog&) {});
    EXPECT_EQ(ModalPoint::runModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(recorder.dialogTitles(), QStringList({ "Enter Password", "Enter Password", "Enter Password" }));

    // A default driver takes the dialogs no queued driver answers.
    recorder.setDefaultDriver([](QDialog& shown) { shown.accept(); });
    recorder.driveDialog([](QDialog& shown) { shown.reject(); });
    EXPECT_EQ(ModalPoint::runModal(dialog), QDialog::Rejected);
    EXPECT_EQ(ModalPoint::runModal(dialog), QDialog::Accepted);
}

TEST(ModalPoint, DesktopMessageBoxShowsCaptionIconAndNamedButtons)
{
    modal::DesktopModalHandler desktop;
    const modal::MessageRequest request { "Import these records?", "Information", MessageKind::Information,
        MessageButton::Yes | MessageButton::No };
    QString caption;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShows<QMessageBox>([&](QMessageBox& box) {
        caption = box.windowTitle();
        text = box.text();
        icon = box.icon();
        for (QAbstractButton* const button : box.buttons()) {
            buttons.append(button->text());
        }
        QAbstractButton* const no = buttonTexted(box, "&No");
        ASSERT_NE(no, nullptr);
        QTest::mouseClick(no, Qt::LeftButton);
    });
    EXPECT_EQ(desktop.showMessage(request, nullptr), MessageButton::No);
    EXPECT_EQ(caption, "Information");
    EXPECT_EQ(text, "Import these records?");
    EXPECT_EQ(icon, QMessageBox::Information);
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({ "&No", "&Yes" }));
}

TEST(ModalPoint, DesktopMessageBoxEscapePressesCancel)
{
    modal::DesktopModalHandler desktop;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShows<QMessageBox>([&](QMessageBox& box) {
        icon = box.icon();
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    const modal::MessageRequest request { "Delete record?", "Confirm", MessageKind::Confirmation,
        MessageButton::OK | MessageButton::Cancel };
    EXPECT_EQ(desktop.showMessage(request, nullptr), MessageButton::Cancel);
    EXPECT_EQ(icon, QMessageBox::Question);

    whenModalShows<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    const modal::MessageRequest warning { "Incorrect Password", "Warning", MessageKind::Warning, MessageButton::OK };
    EXPECT_EQ(desktop.showMessage(warning, nullptr), MessageButton::OK);
}

TEST(ModalPoint, RecorderAnswersEachKindOfRequestAndRecordsIt)
{
    QTemporaryDir folder;
    QDialog dialog;
    dialog.setWindowTitle("Select Delimiter");
    const modal::FileRequest save { { "Export", folder.path(), "Text file (*.txt)", "txt", "&Export", false }, true,
        {} };
    // Runs a progress window over three steps and says how many ran.
    const auto stepThree = [] {
        const std::unique_ptr<modal::Progress> progress
            = ModalPoint::startProgress({ "Printing", "Printing \"Staff\"...", "Cancel", "PrintProgress" });
        int done = 0;
        while (done < 3 && !progress->cancelled())
            progress->step(QStringLiteral("Printing page %1...").arg(++done));
        return QString::number(done);
    };
    const auto buttonPressed = [] {
        return modal::MessageRequest::buttonText(
            ModalPoint::message("Save?", MessageKind::Information, MessageButton::Yes | MessageButton::No));
    };
    struct Case
    {
        const char* kind;
        std::function<void(modal::ModalRecorder&)> answer; // none: nothing queued
        std::function<QString()> ask;
        QString expected;
    };
    const Case cases[] = {
        { "message, answered", [](auto& r) { r.answer(MessageButton::No); }, buttonPressed, "&No" },
        { "message, default button", {}, buttonPressed, "&Yes" },
        { "dialog, driven", [](auto& r) { r.driveDialog([](QDialog& shown) { shown.accept(); }); },
            [&dialog] { return QString::number(ModalPoint::runModal(dialog)); }, QString::number(QDialog::Accepted) },
        { "dialog, cancelled", {}, [&dialog] { return QString::number(ModalPoint::runModal(dialog)); },
            QString::number(QDialog::Rejected) },
        { "file, named", [](auto& r) { r.answerFile("/data/list.txt"); },
            [&save] { return ModalPoint::chooseFile(save); }, "/data/list.txt" },
        { "file, driven in the desktop's dialog",
            [](auto& r) {
                r.driveFileDialog([](QFileDialog& shown) {
                    EXPECT_EQ(shown.windowTitle(), "Export");
                    EXPECT_TRUE(shown.testOption(QFileDialog::DontConfirmOverwrite));
                    shown.selectFile("list");
                    static_cast<QDialog&>(shown).accept(); // runs the file dialog's own checks
                });
            },
            [&save] { return ModalPoint::chooseFile(save); }, folder.filePath("list.txt") },
        { "file, cancelled", {}, [&save] { return ModalPoint::chooseFile(save); }, QString() },
        { "progress, stopped", [](auto& r) { r.cancelProgressAt(2); }, stepThree, "2" },
        { "progress, run to the end", {}, stepThree, "3" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        modal::ModalRecorder recorder;
        if (c.answer)
            c.answer(recorder);
        EXPECT_EQ(c.ask(), c.expected);
        EXPECT_EQ(recorder.messages().size() + recorder.dialogTitles().size() + recorder.fileRequests().size()
                + recorder.progressRequests().size(),
            1)
            << "each request is recorded once";
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(ModalPoint, DesktopProgressShowsItsWindowUntilDestroyedAndTakesTheStop)
{
    modal::DesktopModalHandler desktop;
    std::unique_ptr<modal::Progress> progress = desktop.startProgress(
        { "Printing", "Printing \"Staff\"...", "Cancel", "PrintProgress", Qt::ApplicationModal }, nullptr);
    QPointer<QProgressDialog> window;
    for (QWidget* const shown : QApplication::topLevelWidgets()) {
        if (shown->objectName() == "PrintProgress")
            window = qobject_cast<QProgressDialog*>(shown);
    }
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Printing");
    EXPECT_EQ(window->labelText(), "Printing \"Staff\"...");
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);

    progress->step("Printing page 1...");
    EXPECT_EQ(window->labelText(), "Printing page 1...");
    EXPECT_FALSE(progress->cancelled());
    auto* const stop = window->findChild<QPushButton*>();
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), "Cancel");
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_TRUE(progress->cancelled());

    progress.reset();
    EXPECT_FALSE(window) << "the window closes with the progress";
}
