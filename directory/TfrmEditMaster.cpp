#include "directory/TfrmEditMaster.h"

#include "directory/IncrementalSearch.h"
#include "directory/KeyHook.h"
#include "directory/NavigatorButtons.h"
#include "directory/TfrmDataMod.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/modal/ModalPoint.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/CentreOnScreen.h"
#include "platform/ui/Component.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBNavigator.h"
#include "platform/ui/Guard.h"
#include "platform/ui/UpperCaseEntry.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ui::component;

constexpr QSize clientSize { 616, 351 };
const QColor navy { 0x00, 0x00, 0x80 };

QFont arial(int points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"), points);
    font.setBold(bold);
    return font;
}

bool isEditing(const db::DataSource& source)
{
    const db::DataSetState state = source.State();
    return state == db::DataSetState::Edit || state == db::DataSetState::Insert;
}

} // namespace

TfrmEditMaster::TfrmEditMaster(TfrmDataMod& dataModule, QWidget* owner)
    : QDialog(owner)
    , BitBtn1(component<QPushButton>("BitBtn1", QStringLiteral("Close"), this))
    , Panel1(component<QFrame>("Panel1", this))
    , DBNavigator1(component<ui::DBNavigator>("DBNavigator1", Panel1))
    , DBGrid1(component<ui::DBGrid>("DBGrid1", this))
    , ActiveDataSource(component<db::DataSource>("ActiveDataSource", this))
    , Bevel1(component<ui::Bevel>("Bevel1", this))
    , EditDepartmentSearch(component<QLineEdit>("EditDepartmentSearch", this))
    , Label1(component<QLabel>("Label1", QStringLiteral("Searching for a department:"), this))
    , m_dataModule(dataModule)
{
    setObjectName(QStringLiteral("frmEditMaster"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(arial(8));
    setFixedSize(clientSize);

    ActiveDataSource->setAutoEdit(true); // typing in the grid starts an edit

    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    DBNavigator1->setDataSource(ActiveDataSource);
    DBNavigator1->setVisibleButtons(navigatorButtons::allButRefresh);

    Label1->setFont(arial(10, true));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette labelColours = Label1->palette();
    labelColours.setColor(QPalette::WindowText, navy);
    Label1->setPalette(labelColours);

    ui::enterUpperCase(*EditDepartmentSearch);
    (new KeyHook(
         KeyHook::Kind::Release, [this](int key) { EditDepartmentSearchKeyUp(key); }, this))
        ->watch(EditDepartmentSearch); // owned by the dialog

    DBGrid1->setDataSource(ActiveDataSource);
    DBGrid1->setFont(arial(10));
    DBGrid1->setTitleColor(navy);
    // The current row stays marked while the search box has the focus, so a search shows where it went.
    DBGrid1->setOptions(ui::DBGrid::Option::Editing | ui::DBGrid::Option::Titles | ui::DBGrid::Option::ColLines
        | ui::DBGrid::Option::RowLines | ui::DBGrid::Option::Tabs | ui::DBGrid::Option::ConfirmDelete
        | ui::DBGrid::Option::CancelOnExit | ui::DBGrid::Option::AlwaysShowSelection);

    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    placeComponents();
    setTabOrder(EditDepartmentSearch, DBGrid1);
    setTabOrder(DBGrid1, BitBtn1);
    setTabOrder(BitBtn1, DBNavigator1);
    FormCreate();
}

void TfrmEditMaster::placeComponents()
{
    // Top to bottom: navigator bar, search line, grid, the Close button centred below.
    Panel1->setGeometry(0, 0, clientSize.width(), 33);
    DBNavigator1->setGeometry(8, 4, 240, 25);
    Bevel1->setGeometry(8, 40, clientSize.width() - 16, 264);
    Label1->setGeometry(16, 50, 240, 22);
    EditDepartmentSearch->setGeometry(264, 50, 337, 22);
    DBGrid1->setGeometry(16, 80, clientSize.width() - 32, 216);
    BitBtn1->setGeometry((clientSize.width() - 75) / 2, 316, 75, 25);
}

void TfrmEditMaster::FormCreate()
{
    SearchText.clear();
}

int TfrmEditMaster::EditDepartments()
{
    m_dataModule.TblEditDepartment->Open();
    ActiveDataSource->setDataSet(m_dataModule.TblEditDepartment);
    setWindowTitle(QStringLiteral("Editing Department"));
    ui::centreOnScreen(*this);
    EditDepartmentSearch->setFocus();
    return modal::ModalPoint::runModal(*this) == QDialog::Accepted ? mrOK : mrCancel;
}

bool TfrmEditMaster::FormClose()
{
    if (!isEditing(*ActiveDataSource))
        return true; // TblEditDepartment stays open on its row for the next showing
    modal::ModalPoint::message(QStringLiteral("Cancel changes or post changes before closing"),
        modal::MessageKind::Information, modal::MessageButton::OK, this);
    return false;
}

void TfrmEditMaster::done(int result)
{
    bool closes = false;
    ui::guarded([&] { closes = FormClose(); });
    if (closes)
        QDialog::done(result);
}

void TfrmEditMaster::keyPressEvent(QKeyEvent* event)
{
    // There is no cancel button: Esc only empties the search box (on its release).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmEditMaster::EditDepartmentSearchKeyUp(int key)
{
    if (IncrementalSearch::releaseKey(key, EditDepartmentSearch->text(), SearchText))
        EditDepartmentSearch->clear();
    // No match leaves the row where it is, silently; only a failing look-up says anything.
    const IncrementalSearch search(*m_dataModule.TblEditDepartment, QStringLiteral("Department"));
    if (search.lookUp(SearchText) == IncrementalSearch::Outcome::Failed)
        modal::ModalPoint::message(
            QStringLiteral("Not Found"), modal::MessageKind::Information, modal::MessageButton::OK, this);
}
