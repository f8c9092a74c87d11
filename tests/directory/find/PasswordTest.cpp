#include "FindFixture.h"

#include "common/TAuxiliarRec.h"
#include "directory/LetterListDock.h"
#include "directory/TPasswordDlg.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupCombo.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QFile>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr const char* notAllowed = "Editing is not allowed without a password.";
constexpr const char* nowAllowed = "You are now allowed to add/modify a record.";

class PasswordTest : public FindFixture
{
protected:
    void nextDialog(const std::function<void(TPasswordDlg&)>& work) { MainWindowFixture::nextDialog(work); }

    static void type(QLineEdit* edit, const QString& text) { QTest::keyClicks(edit, text); }

    static void typeAndPressEnter(TPasswordDlg& dialog, const QString& password)
    {
        type(dialog.EdEnterPassword, password);
        QTest::keyClick(dialog.EdEnterPassword, Qt::Key_Return);
    }

    // Types the three entries of change mode and presses Enter.
    static void change(TPasswordDlg& dialog, const QString& old, const QString& fresh, const QString& again)
    {
        for (QLineEdit* const edit : { dialog.EdEnterPassword, dialog.EdNewPassword, dialog.EdVerifyPassword })
            edit->clear();
        type(dialog.EdEnterPassword, old);
        type(dialog.EdNewPassword, fresh);
        type(dialog.EdVerifyPassword, again);
        QTest::keyClick(dialog.EdVerifyPassword, Qt::Key_Return);
    }

    void addPassword(const char* password)
    {
        m_environment.addRows(DirectoryDatabase::AuxiliarTable, QList<TAuxiliarRec> { { password } });
    }
};

TEST_F(PasswordTest, GuardsInformWithoutPermissionAndEscOrEnterHideTheLetterList)
{
    TfrmMain& main = start();
    const QString name = currentName();
    QTest::keyClick(main.DBEditName, Qt::Key_X);
    EXPECT_EQ(messages(), QStringList { notAllowed });
    EXPECT_EQ(currentName(), name);

    m_modal.clear();
    main.PanelEmployeeDock->show();
    QTest::keyClick(main.DBEditExtension, Qt::Key_Escape);
    EXPECT_FALSE(main.PanelEmployee->isVisible());
    main.PanelEmployeeDock->show();
    QTest::keyClick(main.DBGridEmployee2, Qt::Key_Return);
    EXPECT_FALSE(main.PanelEmployee->isVisible());
    EXPECT_EQ(messages(), QStringList());
    QTest::keyClick(main.DBGridEmployee2, Qt::Key_A);
    EXPECT_EQ(messages(), QStringList { notAllowed });

    m_modal.clear();
    switchToPage(1);
    main.PanelDepartmentDock->show();
    QTest::keyClick(main.DBEditLocationLine1, Qt::Key_Return);
    EXPECT_FALSE(main.PanelDepartment->isVisible());
    QTest::keyClick(main.DBEditDepartment, Qt::Key_A);
    QTest::keyClick(main.DBGridEmployee, Qt::Key_A);
    EXPECT_EQ(messages(), (QStringList { notAllowed, notAllowed }));
    // Copying is no typing.
    QTest::keyClick(main.DBEditDepartment, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(messages().size(), 2);
}

TEST_F(PasswordTest, PasswordOfAnyCaseGrantsPermissionAndSwitchesTheWindowToEditing)
{
    addPassword("secret"); // put in by other means, in lower case
    TfrmMain& main = start();
    EXPECT_TRUE(main.DBEditEmployeeDepartment->isVisibleTo(main.PanelEmployee1));
    EXPECT_FALSE(main.DBLookupCombo1->isVisibleTo(main.PanelEmployee1));

    nextDialog([](TPasswordDlg& dialog) {
        EXPECT_TRUE(dialog.EdVerifyPassword->isHidden());
        typeAndPressEnter(dialog, QStringLiteral("Secret"));
        EXPECT_FALSE(dialog.isVisible());
    });
    main.AddModify1->trigger();
    EXPECT_EQ(messages(), QStringList { nowAllowed });
    EXPECT_TRUE(main.unitState().EditAllowed);
    EXPECT_TRUE(main.DBLookupCombo1->isVisibleTo(main.PanelEmployee1));
    EXPECT_FALSE(main.DBEditEmployeeDepartment->isVisibleTo(main.PanelEmployee1));
    EXPECT_TRUE(data().TblDepartment->Active());
    EXPECT_TRUE(data().TblEmployee2->Active());
    EXPECT_TRUE(data().SrcEmployee1->AutoEdit());
    EXPECT_EQ(shownButtons().size(), 10);
    EXPECT_EQ(main.DBNavigator1->width(), 250);

    // Typing now edits the employee, without a word.
    m_modal.clear();
    QTest::keyClick(main.DBEditTitle, Qt::Key_Q);
    EXPECT_EQ(messages(), QStringList());
    EXPECT_EQ(data().TblEmployee1->State(), db::DataSetState::Edit);
    data().TblEmployee1->Cancel();

    // The name grid and the department edits still point elsewhere, on every key.
    main.PanelEmployeeDock->show();
    QTest::keyClick(main.DBGridEmployee2, Qt::Key_Escape);
    EXPECT_EQ(messages(), QStringList { "Please use the left sheet to add or edit an employee." });
    EXPECT_TRUE(main.PanelEmployee->isVisible());
    switchToPage(1);
    m_modal.clear();
    main.PanelDepartmentDock->show();
    QTest::keyClick(main.DBEditFaxNumber, Qt::Key_Escape);
    EXPECT_EQ(messages(),
        QStringList { "Please use the Insert or Edit button or Add/Modify Department menu item to "
                      "add, delete, or modify a department record." });
    EXPECT_TRUE(main.PanelDepartment->isVisible());
    EXPECT_EQ(shownButtons().size(), 7);

    // Asking again opens no dialog.
    m_modal.clear();
    main.EnterPassword1->trigger();
    EXPECT_EQ(messages(), QStringList { "You already have a permission to add/modify a record." });
    EXPECT_TRUE(m_modal.dialogTitles().isEmpty());
}

TEST_F(PasswordTest, PermissionGivenOnTheDepartmentPageTakesItsEditButtons)
{
    TfrmMain& main = start();
    switchToPage(1);
    grantPermission();
    EXPECT_EQ(shownButtons().size(), 7);
    EXPECT_EQ(main.DBNavigator1->width(), 182);
    EXPECT_EQ(main.DBNavigator1->DataSource(), data().SrcDepartment);
}

TEST_F(PasswordTest, WrongPasswordKeepsTheDialogAndCancelStopsTheGatedCommand)
{
    TfrmMain& main = start();
    nextDialog([this](TPasswordDlg& dialog) {
        typeAndPressEnter(dialog, QStringLiteral("guess"));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.EdEnterPassword->text(), QStringLiteral("GUESS"));
        EXPECT_EQ(dialog.EdEnterPassword->displayText(), QStringLiteral("*****"));
        ASSERT_EQ(m_modal.messages().size(), 1);
        EXPECT_EQ(m_modal.messages().constFirst().text, QStringLiteral("Incorrect Password"));
        EXPECT_EQ(m_modal.messages().constFirst().kind, modal::MessageKind::Warning);
        QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    main.SpecialNumber1->trigger();
    EXPECT_EQ(messages(), QStringList { "Incorrect Password" }) << "Cancel adds nothing";
    EXPECT_EQ(m_modal.dialogTitles(), QStringList { "Enter Password" }) << "the special numbers stay closed";
    EXPECT_FALSE(main.unitState().EditAllowed);

    // Esc is Cancel; the next gated command asks again.
    nextDialog([](TPasswordDlg& dialog) {
        type(dialog.EdEnterPassword, QStringLiteral("guess"));
        QTest::keyClick(dialog.EdEnterPassword, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.state().PasswordMode, TPasswordDlg::cancelledMode);
    });
    main.ImportRecord1->trigger();
    EXPECT_EQ(m_modal.pendingDrivers(), 0);
    EXPECT_EQ(m_modal.dialogTitles().size(), 2);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_FALSE(main.unitState().EditAllowed);
}

TEST_F(PasswordTest, CloseBoxChecksThePasswordAsOKDoes)
{
    TfrmMain& main = start();
    nextDialog([this](TPasswordDlg& dialog) {
        dialog.close();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_modal.messageTexts(), QStringList { "Incorrect Password" });
        type(dialog.EdEnterPassword, QStringLiteral("DIRECTORY"));
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
    });
    main.AddModifyDepartment1->trigger();
    EXPECT_TRUE(main.unitState().EditAllowed);
    EXPECT_EQ(messages(), (QStringList { "Incorrect Password", nowAllowed }));
}

TEST_F(PasswordTest, ChangeModeChecksOldThenNewPairAndTheNewPasswordHoldsAtOnce)
{
    TfrmMain& main = start();
    nextDialog([this](TPasswordDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Change Password"));
        EXPECT_TRUE(dialog.EdVerifyPassword->isVisible());

        // OK waits for a key in each edit; Backspace in an empty edit counts.
        EXPECT_FALSE(dialog.OKBtn->isEnabled());
        type(dialog.EdEnterPassword, QStringLiteral("x"));
        type(dialog.EdNewPassword, QStringLiteral("y"));
        EXPECT_FALSE(dialog.OKBtn->isEnabled());
        QTest::keyClick(dialog.EdVerifyPassword, Qt::Key_Backspace);
        EXPECT_TRUE(dialog.OKBtn->isEnabled());

        change(dialog, QStringLiteral("wrong"), QStringLiteral("new1"), QStringLiteral("new2"));
        change(dialog, QStringLiteral("directory"), QString(), QStringLiteral("new2"));
        change(dialog, QStringLiteral("directory"), QString(), QString());
        change(dialog, QStringLiteral("directory"), QStringLiteral("new1"), QStringLiteral("new2"));
        change(dialog, QStringLiteral("directory"), QStringLiteral("sixteen-letters!"),
            QStringLiteral("sixteen-letters!"));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.EdNewPassword->text(), QStringLiteral("SIXTEEN-LETTERS!")) << "kept as typed";
        EXPECT_EQ(m_modal.messageTexts(),
            (QStringList { "Incorrect old password", "Please, enter a new password", "Please, enter a new password",
                "New password was not verified correctly.", "The new password may be at most 15 characters long." }));

        // A quote and a percent sign are characters like any other.
        m_modal.clear();
        change(dialog, QStringLiteral("directory"), QStringLiteral("o'k%1"), QStringLiteral("o'k%1"));
        EXPECT_FALSE(dialog.isVisible());
    });
    main.ChangePassword1->trigger();
    EXPECT_EQ(messages(), QStringList());
    EXPECT_FALSE(main.unitState().EditAllowed) << "a change grants nothing";

    // The old password no longer opens editing; the new one does, in the same run.
    nextDialog([](TPasswordDlg& dialog) {
        typeAndPressEnter(dialog, QStringLiteral("directory"));
        EXPECT_TRUE(dialog.isVisible());
        dialog.EdEnterPassword->clear();
        typeAndPressEnter(dialog, QStringLiteral("O'K%1"));
    });
    main.AddModify1->trigger();
    EXPECT_EQ(messages(), (QStringList { "Incorrect Password", nowAllowed }));
    EXPECT_TRUE(main.unitState().EditAllowed);
}

TEST_F(PasswordTest, EveryKeyThatTypesIntoAChangeEditCountsAPasteKeyToo)
{
    TfrmMain& main = start();
    // Each key goes to each of the three edits in turn, as the focus reaches them by Tab.
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* clipboard;
        bool counts;
        const char* entered;
    } cases[] = {
        { Qt::Key_Backspace, Qt::NoModifier, "", true, "" },
        { Qt::Key_V, Qt::ControlModifier, "", true, "" },
        { Qt::Key_Insert, Qt::ShiftModifier, "", true, "" },
        { Qt::Key_V, Qt::ControlModifier, "pass", true, "PASS" },
        { Qt::Key_Insert, Qt::ShiftModifier, "pass", true, "PASS" },
        { Qt::Key_C, Qt::ControlModifier, "pass", false, "" },
        { Qt::Key_A, Qt::ControlModifier, "pass", false, "" },
        { Qt::Key_Left, Qt::NoModifier, "pass", false, "" },
        { Qt::Key_Insert, Qt::NoModifier, "pass", false, "" },
    };
    for (const auto& [key, modifiers, clipboard, counts, entered] : cases) {
        SCOPED_TRACE(QKeySequence(key | modifiers).toString().toStdString() + " with \"" + clipboard + '"');
        QGuiApplication::clipboard()->setText(QString::fromLatin1(clipboard));
        nextDialog([&](TPasswordDlg& dialog) {
            ASSERT_TRUE(activateSoon(dialog));
            for (QLineEdit* const edit : { dialog.EdEnterPassword, dialog.EdNewPassword, dialog.EdVerifyPassword }) {
                QWidget* const focused = QApplication::focusWidget();
                ASSERT_EQ(focused, edit);
                QTest::keyClick(focused, key, modifiers);
                EXPECT_EQ(edit->text(), QLatin1String(entered));
                QTest::keyClick(focused, Qt::Key_Tab);
            }
            EXPECT_EQ(dialog.OKBtn->isEnabled(), counts);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        main.ChangePassword1->trigger();
        EXPECT_EQ(m_modal.pendingDrivers(), 0);
    }
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(PasswordTest, ChangeReplacesAPasswordStoredInAnyLetterCase)
{
    addPassword("secret");
    TfrmMain& main = start();
    nextDialog([](TPasswordDlg& dialog) { change(dialog, QStringLiteral("secret"), "FRESH", "FRESH"); });
    main.ChangePassword1->trigger();
    EXPECT_EQ(messages(), QStringList());

    db::Table& passwords = *data().TblAuxiliar;
    EXPECT_FALSE(
        passwords.Locate(QStringLiteral("PasswordValue"), QStringLiteral("secret"), db::LocateOption::CaseInsensitive));
    EXPECT_TRUE(passwords.Locate(QStringLiteral("PasswordValue"), QStringLiteral("FRESH")));
    EXPECT_TRUE(passwords.Locate(QStringLiteral("PasswordValue"), QStringLiteral("DIRECTORY")));
}

TEST_F(PasswordTest, PasswordTableThatCannotOpenShowsTheErrorAndOpensNothing)
{
    ASSERT_TRUE(QFile::remove(m_environment.tablePath(DirectoryDatabase::AuxiliarTable)));
    TfrmMain& main = start();
    main.ImportRecord1->trigger();
    // The update query cannot be prepared either; each failure has its error box.
    ASSERT_FALSE(m_modal.messages().isEmpty());
    for (const modal::MessageRequest& message : m_modal.messages())
        EXPECT_EQ(message.kind, modal::MessageKind::Error) << message.text.toStdString();
    EXPECT_TRUE(m_modal.dialogTitles().isEmpty());
    EXPECT_FALSE(main.unitState().EditAllowed);
}

} // namespace
