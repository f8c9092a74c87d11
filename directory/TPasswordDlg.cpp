#include "directory/TPasswordDlg.h"

#include "directory/KeyHook.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmMain.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/CentreOnScreen.h"
#include "platform/ui/Guard.h"
#include "platform/modal/ModalPoint.h"
#include "platform/ui/UpperCaseEntry.h"
#include "platform/ui/VirtualKey.h"
#include "platform/ui/Component.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {

using ui::component;

constexpr QLatin1StringView passwordField { "PasswordValue" };
constexpr int passwordFieldSize = 15; // characters the password table's field holds

// Letters in upper case, as the engine compares without regard to case.
QString foldedAscii(const QString& text)
{
    QString folded = text;
    for (QChar& character : folded) {
        if (character >= u'a' && character <= u'z')
            character = QChar(character.unicode() - (u'a' - u'A'));
    }
    return folded;
}

// Letters are entered in upper case and shown as "*".
void makePasswordEdit(QLineEdit* edit)
{
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    ui::enterUpperCase(*edit);
}

} // namespace

TPasswordDlg::TPasswordDlg(TfrmMain& owner, TfrmDataMod& dataModule)
    : QDialog(&owner)
    , LbEnterPassword(component<QLabel>("LbEnterPassword", this))
    , EdEnterPassword(component<QLineEdit>("EdEnterPassword", this))
    , OKBtn(component<QPushButton>("OKBtn", QStringLiteral("OK"), this))
    , CancelBtn(component<QPushButton>("CancelBtn", QStringLiteral("Cancel"), this))
    , EdNewPassword(component<QLineEdit>("EdNewPassword", this))
    , LbNewPassword(component<QLabel>("LbNewPassword", QStringLiteral("Please enter a new password:"), this))
    , LbVerifyPassword(
          component<QLabel>("LbVerifyPassword", QStringLiteral("Please enter the new password again:"), this))
    , EdVerifyPassword(component<QLineEdit>("EdVerifyPassword", this))
    , m_owner(owner)
    , m_dataModule(dataModule)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    buildDesign();
    // A query that cannot be prepared is reported; the dialog is still made and shown.
    ui::guarded([this] { FormCreate(); });
}

void TPasswordDlg::buildDesign()
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    fitToMode(false);

    for (QLineEdit* const edit : { EdEnterPassword, EdNewPassword, EdVerifyPassword })
        makePasswordEdit(edit);
    LbEnterPassword->setBuddy(EdEnterPassword);
    LbNewPassword->setBuddy(EdNewPassword);
    LbVerifyPassword->setBuddy(EdVerifyPassword);
    LbNewPassword->hide();
    EdNewPassword->hide();
    LbVerifyPassword->hide();
    EdVerifyPassword->hide();

    OKBtn->setDefault(true); // Enter presses it
    OKBtn->setEnabled(false);
    CancelBtn->setAutoDefault(false);
    QWidget::setTabOrder(EdEnterPassword, EdNewPassword);
    QWidget::setTabOrder(EdNewPassword, EdVerifyPassword);
    QWidget::setTabOrder(EdVerifyPassword, OKBtn);
    QWidget::setTabOrder(OKBtn, CancelBtn);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    ui::connectGuarded(CancelBtn, &QPushButton::clicked, this, &TPasswordDlg::CancelBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    // Enter and Esc work the buttons; they type nothing into the edits.
    const auto typed = [this](void (TPasswordDlg::*handler)()) {
        return [this, handler](int key) {
            if (key != ui::keyCode::enter && key != ui::keyCode::escape)
                (this->*handler)();
        };
    };
    for (const auto& [edit, handler] : { std::pair { EdEnterPassword, &TPasswordDlg::EdEnterPasswordKeyPress },
             std::pair { EdNewPassword, &TPasswordDlg::EdNewPasswordKeyPress },
             std::pair { EdVerifyPassword, &TPasswordDlg::EdVerifyPasswordKeyPress } }) {
        // A paste key counts as a key typed, like Backspace, even with nothing to paste.
        auto* const keys = new KeyHook(KeyHook::Kind::Press, typed(handler), this); // owned by the dialog
        keys->reportPasteKeys();
        keys->watch(edit);
        // A paste by mouse (the context menu, the middle button) has no key; the text it types counts.
        ui::connectGuarded(edit, &QLineEdit::textEdited, this, handler);
    }
}

void TPasswordDlg::fitToMode(bool changing)
{
    // The labels and edits are as wide as the longest label in the dialog's font, at least as designed; the dialog
    // ends below the last row it shows.
    constexpr int margin = 12;
    constexpr int designedEditWidth = 220;
    constexpr int buttonGap = 16;
    const QSize buttonSize(75, 25);
    int labelWidth = designedEditWidth;
    for (const QLabel* const label : { LbEnterPassword, LbNewPassword, LbVerifyPassword })
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    const int labelHeight = std::max(16, LbEnterPassword->sizeHint().height());
    const int editHeight = std::max(22, EdEnterPassword->sizeHint().height());
    const int rowHeight = labelHeight + 2 + editHeight;

    int top = margin;
    for (const auto& [label, edit] : { std::pair { LbEnterPassword, EdEnterPassword },
             std::pair { LbNewPassword, EdNewPassword }, std::pair { LbVerifyPassword, EdVerifyPassword } }) {
        label->setGeometry(margin, top, labelWidth, labelHeight);
        edit->setGeometry(margin, top + labelHeight + 2, labelWidth, editHeight);
        top += rowHeight + 10;
    }
    const int buttonLeft = margin + labelWidth + buttonGap;
    const int okTop = EdEnterPassword->y() - 2;
    OKBtn->setGeometry(QRect(QPoint(buttonLeft, okTop), buttonSize));
    CancelBtn->setGeometry(QRect(QPoint(buttonLeft, okTop + buttonSize.height() + 7), buttonSize));

    const QWidget* const lastRow = changing ? EdVerifyPassword : EdEnterPassword;
    const int bottom = std::max(lastRow->geometry().bottom(), CancelBtn->geometry().bottom()) + 1 + margin;
    setFixedSize(buttonLeft + buttonSize.width() + margin, bottom);
}

void TPasswordDlg::FormCreate()
{
    db::Query& update = *m_dataModule.QryAuxiliar;
    if (!update.Prepared())
        update.Prepare();
}

void TPasswordDlg::ShowEnterPassword(int mode)
{
    setWindowTitle(QStringLiteral("Enter Password"));
    LbEnterPassword->setText(QStringLiteral("Please enter a password:"));
    EdEnterPassword->clear();
    LbNewPassword->hide();
    EdNewPassword->hide();
    LbVerifyPassword->hide();
    EdVerifyPassword->hide();
    OKBtn->setEnabled(true);
    m_state.PasswordMode = mode;
    m_dataModule.TblAuxiliar->Open(); // stays open when it is already
    fitToMode(false);
    EdEnterPassword->setFocus();
    ui::centreOnScreen(*this);
    modal::ModalPoint::runModal(*this);
}

void TPasswordDlg::ShowChangePassword(int mode)
{
    setWindowTitle(QStringLiteral("Change Password"));
    LbEnterPassword->setText(QStringLiteral("Please enter the old password:"));
    EdEnterPassword->clear();
    m_state.EnterTyped = false;
    LbNewPassword->show();
    EdNewPassword->show();
    EdNewPassword->clear();
    m_state.NewTyped = false;
    LbVerifyPassword->show();
    EdVerifyPassword->show();
    EdVerifyPassword->clear();
    m_state.VerifyTyped = false;
    OKBtn->setEnabled(false);
    m_state.PasswordMode = mode;
    m_dataModule.TblAuxiliar->Open();
    fitToMode(true);
    EdEnterPassword->setFocus();
    ui::centreOnScreen(*this);
    modal::ModalPoint::runModal(*this);
}

void TPasswordDlg::done(int result)
{
    bool closes = false;
    ui::guarded([&] { closes = FormClose(); });
    if (closes)
        QDialog::done(result);
}

void TPasswordDlg::keyPressEvent(QKeyEvent* event)
{
    // Esc presses Cancel, which is what leaves the dialog without a check.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelBtn->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TPasswordDlg::FormClose()
{
    switch (m_state.PasswordMode) {
    case enterMode:
        if (isStoredPassword(EdEnterPassword->text())) {
            m_owner.EnableEditing();
            return true;
        }
        modal::ModalPoint::message(
            QStringLiteral("Incorrect Password"), modal::MessageKind::Warning, modal::MessageButton::OK, this);
        return false;
    case changeMode:
        return ChangePassword();
    default:
        return true;
    }
}

void TPasswordDlg::CancelBtnClick()
{
    m_state.PasswordMode = cancelledMode;
}

void TPasswordDlg::EdEnterPasswordKeyPress()
{
    m_state.EnterTyped = true;
    enableOKWhenAllTyped();
}

void TPasswordDlg::EdNewPasswordKeyPress()
{
    m_state.NewTyped = true;
    enableOKWhenAllTyped();
}

void TPasswordDlg::EdVerifyPasswordKeyPress()
{
    m_state.VerifyTyped = true;
    enableOKWhenAllTyped();
}

void TPasswordDlg::enableOKWhenAllTyped()
{
    if (m_state.EnterTyped && m_state.NewTyped && m_state.VerifyTyped)
        OKBtn->setEnabled(true);
}

bool TPasswordDlg::isStoredPassword(const QString& password) const
{
    // The whole value, without regard to case. No stored value is longer than the field, so a longer entry matches
    // none.
    return m_dataModule.TblAuxiliar->Locate(passwordField, password, db::LocateOption::CaseInsensitive);
}

QStringList TPasswordDlg::storedSpellingsOf(const QString& password) const
{
    QStringList spellings;
    db::Table& passwords = *m_dataModule.TblAuxiliar;
    const db::Field& value = passwords.FieldByName(passwordField);
    const QString wanted = foldedAscii(password);
    for (passwords.First(); !passwords.Eof(); passwords.Next()) {
        const QString stored = value.AsString();
        if (foldedAscii(stored) == wanted && !spellings.contains(stored))
            spellings << stored;
    }
    return spellings;
}

bool TPasswordDlg::ChangePassword()
{
    const QString oldPassword = EdEnterPassword->text();
    const QString newPassword = EdNewPassword->text();
    if (!isStoredPassword(oldPassword)) {
        inform(QStringLiteral("Incorrect old password"));
        return false;
    }
    // An empty new password would let anyone edit; it is refused even when typed twice.
    if (newPassword.isEmpty()) {
        inform(QStringLiteral("Please, enter a new password"));
        return false;
    }
    if (newPassword != EdVerifyPassword->text()) {
        inform(QStringLiteral("New password was not verified correctly."));
        return false;
    }
    if (newPassword.toUcs4().size() > passwordFieldSize) {
        inform(QStringLiteral("The new password may be at most %1 characters long.").arg(passwordFieldSize));
        return false;
    }
    // The look-up ignores case, so the old password is replaced in every letter case the table holds it in, not
    // only as typed: a change that the dialog reports must leave the old password unusable.
    db::Query& update = *m_dataModule.QryAuxiliar;
    for (const QString& stored : storedSpellingsOf(oldPassword)) {
        update.ParamByName(QStringLiteral("ReplaceValue")).setAsString(newPassword);
        update.ParamByName(QStringLiteral("FindValue")).setAsString(stored);
        update.ExecSQL();
    }
    return true;
}

void TPasswordDlg::inform(const QString& text)
{
    modal::ModalPoint::message(text, modal::MessageKind::Information, modal::MessageButton::OK, this);
}
