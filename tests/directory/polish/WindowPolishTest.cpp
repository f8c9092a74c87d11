// What a new user meets first in the directory's windows: where the focus starts, where the dialogs open, and a
// password dialog that shows all its texts and counts a paste as typing.
#include "MainWindowFixture.h"
#include "ProgramRun.h"

#include "directory/TFrmSpecial.h"
#include "directory/TPasswordDlg.h"
#include "directory/TfrmCallParty.h"
#include "platform/ui/DBEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <functional>

namespace {

TEST(StartupFocusTest, TypingAtStartSearchesInsteadOfEditing)
{
    DirectoryTestEnvironment environment;
    modal::ModalRecorder modal;
    DirectoryProgram program;
    bool inspected = false;
    const int exitCode = runProgram(program, [&] {
        inspected = true;
        TfrmMain* const main = program.mainWindow();
        const QString shownName = main->DBEditName->text();
        EXPECT_TRUE(activateSoon(*main));
        QWidget* const focused = QApplication::focusWidget();
        EXPECT_EQ(focused, main->EditEmployeeSearch);
        if (focused)
            QTest::keyClicks(focused, QStringLiteral("fitz"));
        EXPECT_EQ(modal.messageTexts(), QStringList());
        EXPECT_EQ(main->EditEmployeeSearch->text(), QStringLiteral("FITZ"));
        EXPECT_TRUE(main->DBEditName->text().startsWith(QStringLiteral("FITZ")))
            << "the search found the name: " << main->DBEditName->text().toStdString() << " (was "
            << shownName.toStdString() << ")";
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(inspected);
}

class DialogPolishTest : public MainWindowFixture
{
protected:
    // The main window small and in a corner, so that centred over it and centred on the screen differ.
    TfrmMain& startInCorner()
    {
        TfrmMain& main = start();
        main.showNormal();
        main.setGeometry(QRect(0, 0, 700, 480));
        return main;
    }

    static void expectCentredOnScreen(const QWidget& dialog)
    {
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        const QPoint offset = dialog.frameGeometry().center() - screenCentre;
        EXPECT_LE(offset.manhattanLength(), 10)
            << dialog.objectName().toStdString() << " is off by " << offset.x() << "," << offset.y();
    }

    static void expectTextsShown(const TPasswordDlg& dialog)
    {
        for (const QLabel* const label : { dialog.LbEnterPassword, dialog.LbNewPassword, dialog.LbVerifyPassword }) {
            if (!label->isVisible())
                continue;
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString() << " is cut off";
            EXPECT_TRUE(dialog.rect().contains(label->geometry())) << label->text().toStdString();
        }
        for (const QWidget* const widget : { static_cast<const QWidget*>(dialog.EdVerifyPassword),
                 static_cast<const QWidget*>(dialog.OKBtn), static_cast<const QWidget*>(dialog.CancelBtn) }) {
            if (widget->isVisible()) {
                EXPECT_TRUE(dialog.rect().contains(widget->geometry())) << widget->objectName().toStdString();
            }
        }
    }
};

TEST_F(DialogPolishTest, NumberChooserAndSpecialNumberDialogOpenCentredOnTheScreen)
{
    TfrmMain& main = startInCorner();
    bool chooserSeen = false;
    nextDialog<TfrmCallParty>([&](TfrmCallParty& chooser) {
        chooserSeen = true;
        expectCentredOnScreen(chooser);
    });
    main.DialNumber(QStringLiteral("ADAMS, BOB"), QStringLiteral("555-0142 OR 555-0199"));
    EXPECT_TRUE(chooserSeen);

    nextDialog<TPasswordDlg>([](TPasswordDlg& dialog) {
        QTest::keyClicks(dialog.EdEnterPassword, QStringLiteral("directory"));
        QTest::keyClick(dialog.EdEnterPassword, Qt::Key_Return);
    });
    bool specialSeen = false;
    nextDialog<TFrmSpecial>([&](TFrmSpecial& special) {
        specialSeen = true;
        expectCentredOnScreen(special);
    });
    main.SpecialNumber1->trigger();
    EXPECT_TRUE(specialSeen);
}

TEST_F(DialogPolishTest, PasswordDialogShowsWhatEachModeHasAndNoMore)
{
    TfrmMain& main = startInCorner();
    int enterHeight = 0;
    nextDialog<TPasswordDlg>([&](TPasswordDlg& dialog) {
        expectCentredOnScreen(dialog);
        expectTextsShown(dialog);
        enterHeight = dialog.height();
        // The dialog ends a margin below its lowest control: the Cancel button or the one edit.
        const int lowest = std::max(dialog.EdEnterPassword->geometry().bottom(), dialog.CancelBtn->geometry().bottom());
        EXPECT_LE(dialog.height() - lowest, 20) << "empty space under the one edit";
    });
    main.EnterPassword1->trigger();

    nextDialog<TPasswordDlg>([&](TPasswordDlg& dialog) {
        expectCentredOnScreen(dialog);
        expectTextsShown(dialog);
        EXPECT_GT(dialog.height(), enterHeight + 2 * dialog.EdNewPassword->height());
    });
    main.ChangePassword1->trigger();
}

TEST_F(DialogPolishTest, PasteCountsAsTypingInEachChangePasswordEdit)
{
    TfrmMain& main = start();
    nextDialog<TPasswordDlg>([](TPasswordDlg& dialog) {
        ASSERT_TRUE(activateSoon(dialog));
        QGuiApplication::clipboard()->setText(QStringLiteral("directory"));
        for (int edit = 0; edit < 3; ++edit) {
            EXPECT_FALSE(dialog.OKBtn->isEnabled());
            QWidget* const focused = QApplication::focusWidget();
            ASSERT_TRUE(focused);
            QTest::keyClick(focused, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        EXPECT_EQ(dialog.EdVerifyPassword->text(), QStringLiteral("DIRECTORY")) << "each edit got the paste";
        EXPECT_TRUE(dialog.OKBtn->isEnabled());
    });
    main.ChangePassword1->trigger();
}

} // namespace
