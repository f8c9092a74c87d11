#include "platform/modal/DesktopModalHandler.h"
#include "platform/modal/ModalPoint.h"
#include "platform/modal/ModalRecorder.h"

#include "WhenModalShows.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest/QTest>

#include <gtest/gtest.h>

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
