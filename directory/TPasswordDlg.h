#pragma once

#include <QDialog>
#include <QStringList>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmDataMod;
class TfrmMain;

// The password dialog, in two modes: entering a password, which allows editing for the rest of the run when the
// password table holds it, and changing a stored password, which allows nothing. Every way of closing it (OK,
// Enter, Cancel, Esc, the close box) passes the check of its mode; only Cancel and Esc leave without one. A check
// that fails says why and keeps the dialog open with the entries as typed.
class TPasswordDlg : public QDialog
{
    Q_OBJECT

public:
    // The modes that the callers pass, and the one Cancel sets.
    static constexpr int cancelledMode = 1;
    static constexpr int enterMode = 2;
    static constexpr int changeMode = 3;

    // The dialog's state: its mode and, in change mode, whether a key has been typed into each edit.
    struct State
    {
        int PasswordMode = cancelledMode;
        bool EnterTyped = false;
        bool NewTyped = false;
        bool VerifyTyped = false;
    };

    // A correct password enables editing on `owner`, which is also the dialog's parent.
    TPasswordDlg(TfrmMain& owner, TfrmDataMod& dataModule);

    // Prepare the dialog for the mode and show it modally; they return when it has closed.
    void ShowEnterPassword(int mode);
    void ShowChangePassword(int mode);
    // Checks the old password and the new pair and stores the new password; true when it was stored.
    bool ChangePassword();

    const State& state() const { return m_state; }

    QLabel* const LbEnterPassword;
    QLineEdit* const EdEnterPassword;
    QPushButton* const OKBtn;
    QPushButton* const CancelBtn;
    QLineEdit* const EdNewPassword;
    QLabel* const LbNewPassword;
    QLabel* const LbVerifyPassword;
    QLineEdit* const EdVerifyPassword;

    void FormCreate();
    // Whether the dialog may close, after the check of its mode.
    bool FormClose();
    void CancelBtnClick();
    void EdEnterPasswordKeyPress();
    void EdNewPasswordKeyPress();
    void EdVerifyPasswordKeyPress();

    // Every way of closing the dialog ends here, and closes it only when FormClose allows it.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildDesign();
    // Places the rows and buttons for the mode's texts and sizes the dialog to the rows it shows.
    void fitToMode(bool changing);
    void enableOKWhenAllTyped();
    bool isStoredPassword(const QString& password) const;
    QStringList storedSpellingsOf(const QString& password) const;
    void inform(const QString& text);

    TfrmMain& m_owner;
    TfrmDataMod& m_dataModule;
    State m_state;
};
