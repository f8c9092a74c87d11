#include "directory/TFrmSpecial.h"

#include "directory/NavigatorButtons.h"
#include "directory/TfrmDataMod.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBNavigator.h"
#include "platform/ui/CentreOnScreen.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Component.h"

#include <QKeyEvent>
#include <QPushButton>

#include <utility>

namespace {

using ui::component;

constexpr QSize formSize { 380, 300 };

} // namespace

TFrmSpecial::TFrmSpecial(TfrmDataMod& dataModule, QWidget* owner)
    : QDialog(owner)
    , OKBtn(component<QPushButton>("OKBtn", QStringLiteral("OK"), this))
    , DBGrid1(component<ui::DBGrid>("DBGrid1", this))
    , DBNavigator1(component<ui::DBNavigator>("DBNavigator1", this))
    , m_dataModule(dataModule)
{
    setObjectName(QStringLiteral("FrmSpecial"));
    setWindowTitle(QStringLiteral("Special Number"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(formSize);
    ui::centreOnScreen(*this);

    DBNavigator1->setDataSource(m_dataModule.SrcSpecial);
    DBNavigator1->setVisibleButtons(navigatorButtons::allButRefresh);
    DBNavigator1->setGeometry(8, 8, formSize.width() - 16, 25);

    DBGrid1->setDataSource(m_dataModule.SrcSpecial);
    // Description takes what Number leaves, so that typing in it never scrolls Number out of view.
    DBGrid1->setColumns({ { QStringLiteral("Number"), QString(), 0 },
        { QStringLiteral("Description"), QString(), 0, Qt::AlignLeft | Qt::AlignVCenter, true } });
    DBGrid1->setOptions(ui::DBGrid::Option::Editing | ui::DBGrid::Option::Titles | ui::DBGrid::Option::ColLines
        | ui::DBGrid::Option::RowLines | ui::DBGrid::Option::Tabs | ui::DBGrid::Option::ConfirmDelete
        | ui::DBGrid::Option::CancelOnExit | ui::DBGrid::Option::Indicator);
    DBGrid1->setGeometry(8, 40, formSize.width() - 16, formSize.height() - 88);

    OKBtn->setGeometry((formSize.width() - 80) / 2, formSize.height() - 38, 80, 26);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmSpecial::done(int result)
{
    // A new row left empty is dropped; a row with changes is posted, and a refused post keeps the dialog open
    // on it with the user's changes.
    const bool posted = ui::guarded([this] {
        if (m_dataModule.TblSpecial->Active())
            m_dataModule.TblSpecial->CheckBrowseMode();
    });
    if (posted)
        QDialog::done(result);
}

void TFrmSpecial::keyPressEvent(QKeyEvent* event)
{
    // No button cancels this dialog.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
