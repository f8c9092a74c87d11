#include "listprint/TfrmSelectDelimiter.h"

#include "listprint/BoxedDialog.h"
#include "listprint/TFrmMain.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/CentreOnScreen.h"
#include "platform/ui/Component.h"
#include "platform/ui/Guard.h"
#include "platform/ui/RadioGroup.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using ui::component;

TfrmSelectDelimiter::TfrmSelectDelimiter(TFrmMain& owner)
    : QDialog(&owner,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , OKBtn(component<QPushButton>("OKBtn", QStringLiteral("OK"), this))
    , CancelBtn(component<QPushButton>("CancelBtn", QStringLiteral("Cancel"), this))
    , Bevel1(component<ui::Bevel>("Bevel1", this))
    , RadioGroup1(component<ui::RadioGroup>("RadioGroup1", this))
    , m_owner(owner)
{
    setObjectName(QStringLiteral("frmSelectDelimiter"));
    setWindowTitle(QStringLiteral("Select Delimiter"));
    setFont(QFont(QStringLiteral("Arial"), 8));

    RadioGroup1->setTitle(QStringLiteral(" What's kind of ASCII file do you want to export to?"));
    RadioGroup1->setItems({ QStringLiteral("Comma Delimiter"), QStringLiteral("Tab Delimiter") });
    RadioGroup1->setItemIndex(0);

    // Esc and the close box cancel, as the Cancel button does.
    layOutBoxedDialog(*this, *Bevel1, *OKBtn, *CancelBtn).addWidget(RadioGroup1);

    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, RadioGroup1->button(0));
    setTabOrder(RadioGroup1->button(0), RadioGroup1->button(1));
    OKBtn->setFocus();

    // Centred on the screen rather than on the main window.
    adjustSize();
    ui::centreOnScreen(*this);

    ui::connectGuarded(OKBtn, &QPushButton::clicked, this, &TfrmSelectDelimiter::OKBtnClick);
    ui::connectGuarded(CancelBtn, &QPushButton::clicked, this, &TfrmSelectDelimiter::CancelBtnClick);
}

TfrmSelectDelimiter::~TfrmSelectDelimiter() = default;

void TfrmSelectDelimiter::OKBtnClick()
{
    m_owner.setExportDelimiter(RadioGroup1->ItemIndex());
    accept();
}

void TfrmSelectDelimiter::CancelBtnClick()
{
    reject();
}
