#include "directory/TfrmCallParty.h"

#include "directory/CallRequest.h"
#include "directory/DialText.h"
#include "directory/SimpleComboBox.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/CentreOnScreen.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Component.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <utility>

namespace {

using ui::component;

constexpr QSize formSize { 262, 262 };

} // namespace

TfrmCallParty::TfrmCallParty(const QString& specialPrefix, QWidget* owner)
    : QDialog(owner)
    , btnDial(component<QPushButton>("btnDial", QStringLiteral("&Dial"), this))
    , ComboBox1(component<SimpleComboBox>("ComboBox1", this))
    , Bevel1(component<ui::Bevel>("Bevel1", this))
    , btnClose(component<QPushButton>("btnClose", QStringLiteral("&Close"), this))
    , lblCalledParty(component<QLabel>("lblCalledParty", QStringLiteral("Called Party"), this))
    , m_specialPrefix(specialPrefix)
{
    setObjectName(QStringLiteral("frmCallParty"));
    setWindowTitle(QStringLiteral("Please select a number"));
    // A dialog border: a fixed size and a close box, without minimise or maximise boxes.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(formSize);
    ui::centreOnScreen(*this);

    Bevel1->setGeometry(8, 8, 246, 204);
    ComboBox1->setGeometry(18, 18, 226, 160);
    lblCalledParty->setGeometry(18, 184, 226, 20);
    lblCalledParty->setAlignment(Qt::AlignCenter);
    btnDial->setGeometry(40, 224, 80, 26);
    btnClose->setGeometry(142, 224, 80, 26);
    btnDial->setDefault(true);

    setTabOrder(btnDial, ComboBox1);
    setTabOrder(ComboBox1, btnClose);

    ui::connectGuarded(btnDial, &QPushButton::clicked, this, &TfrmCallParty::btnDialClick);
    ui::connectGuarded(ComboBox1, &SimpleComboBox::doubleClicked, this, &TfrmCallParty::ComboBox1DblClick);
    ui::connectGuarded(btnClose, &QPushButton::clicked, this, &TfrmCallParty::btnCloseClick);
}

void TfrmCallParty::SplitNumbers()
{
    const QString prefix = m_specialPrefix;
    ComboBox1->clear();
    NumberText = DialText::normalised(NumberText);
    for (const QString& number : DialText::numbers(NumberText, prefix))
        ComboBox1->addItem(number);
}

void TfrmCallParty::DialSelected()
{
    if (!CallRequest::handsetReady(this))
        return;
    // Typed text goes out as typed: the list's entries already carry the prefix and are clean.
    CallRequest::place(ComboBox1->text(), CalledParty, Comment);
}

void TfrmCallParty::FormShow()
{
    ComboBox1->setItemIndex(0);
    lblCalledParty->setText(CalledParty);
}

void TfrmCallParty::btnDialClick()
{
    DialSelected();
}

void TfrmCallParty::ComboBox1DblClick()
{
    DialSelected();
}

void TfrmCallParty::btnCloseClick()
{
    reject();
}

void TfrmCallParty::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ui::guarded([this] { FormShow(); });
}

void TfrmCallParty::keyPressEvent(QKeyEvent* event)
{
    // No button cancels this dialog.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
