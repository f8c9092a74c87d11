#include "listprint/TSelectionDlg.h"

#include "listprint/BoxedDialog.h"
#include "listprint/ListExporters.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TFrmMain.h"
#include "listprint/reports/TQRSelectDepartment.h"
#include "platform/db/Param.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/Guard.h"
#include "platform/modal/ModalPoint.h"
#include "platform/ui/Component.h"

#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

using ui::component;

TSelectionDlg::TSelectionDlg(TFrmMain& owner)
    : QDialog(&owner,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , Bevel1(component<ui::Bevel>("Bevel1", this))
    , LblSelection(component<QLabel>("LblSelection", this))
    , DBLookupComboBoxSelect(component<ui::DBLookupComboBox>("DBLookupComboBoxSelect", this))
    , OKBtn(component<QPushButton>("OKBtn", QStringLiteral("OK"), this))
    , CancelBtn(component<QPushButton>("CancelBtn", QStringLiteral("Cancel"), this))
    , m_owner(owner)
{
    setObjectName(QStringLiteral("SelectionDlg"));
    setWindowTitle(QStringLiteral("Department"));
    setFont(QFont(QStringLiteral("Arial"), 8));

    // OK runs the action and leaves the dialog open; only Cancel (Esc, the close box) ends it.
    QVBoxLayout& framed = layOutBoxedDialog(*this, *Bevel1, *OKBtn, *CancelBtn);
    framed.addWidget(LblSelection);
    framed.addWidget(DBLookupComboBoxSelect);
    DBLookupComboBoxSelect->setMinimumWidth(260);

    ui::connectGuarded(OKBtn, &QPushButton::clicked, this, &TSelectionDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TSelectionDlg::~TSelectionDlg() = default;

void TSelectionDlg::PrepareDepartmentList()
{
    LblSelection->setText(QStringLiteral("Please select a department for printing employee:"));
    TFrmDataMod& dataMod = m_owner.dataModule();
    dataMod.TblSelectDepartment->Open();
    DBLookupComboBoxSelect->setListSource(dataMod.SrcTblSelectDepartment);
    DBLookupComboBoxSelect->setListField(QStringLiteral("Department"));
    DBLookupComboBoxSelect->setKeyField(QStringLiteral("Department"));
}

void TSelectionDlg::OKBtnClick()
{
    const QString department = DBLookupComboBoxSelect->currentText();
    if (department.isEmpty()) {
        modal::ModalPoint::message(QStringLiteral("Please select a department"), modal::MessageKind::Information,
            modal::MessageButton::OK, this);
        return;
    }
    // One run per OK: a second OK while this department is still being built is not taken.
    if (m_runInProgress)
        return;
    m_runInProgress = true;
    OKBtn->setEnabled(false);
    const auto finished = qScopeGuard([this] {
        m_runInProgress = false;
        OKBtn->setEnabled(true);
    });

    db::Query& employees = *m_owner.dataModule().QryEmployee;
    TQRSelectDepartment layout(employees, this);
    employees.Close();
    employees.setSQL({ QStringLiteral("Select * "), QStringLiteral("FROM employee "),
        QStringLiteral("WHERE Department = :ParmDept") });
    employees.Params(0).setAsString(department);
    employees.Open();
    layout.QRLabelTitle().setCaption(department);
    m_owner.runAction(
        layout, [this, &department] { ExportSelectDepartmentComma(m_owner, department); },
        [this, &department] { ExportSelectDepartmentTab(m_owner, department); });
}
