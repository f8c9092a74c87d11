// The main window's design: what each component is, where it lies, how it looks and which handler it is bound to.
#include "directory/TfrmMain.h"

#include "directory/FixedRowDelegate.h"
#include "directory/FixedTabBar.h"
#include "directory/LetterListDock.h"
#include "directory/NavigatorButtons.h"
#include "directory/NameGridFeed.h"
#include "directory/PageControl.h"
#include "directory/PanelFrame.h"
#include "common/ProgramLinks.h"
#include "directory/TfrmDataMod.h"
#include "platform/db/DataSource.h"
#include "platform/os/JpegDecoder.h"
#include "platform/os/OsError.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/Guard.h"
#include "platform/ui/MaximiseOnScreen.h"
#include "platform/ui/Component.h"
#include "platform/ui/UpperCaseEntry.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTableWidget>

#include <algorithm>
#include <utility>

namespace {

using ui::component;

QAction* separator(const char* name, QMenu* menu)
{
    auto* const action = component<QAction>(name, menu);
    action->setSeparator(true);
    return action;
}

// Places in pixels, in ClientArea's coordinates (below the menu bar).
constexpr int toolBarHeight = 30;
constexpr int letterTabCount = 26;
constexpr QSize letterTabSize { 23, 20 };
constexpr QRect letterTabsGeometry { 0, 31, letterTabCount * 23 + 4, 22 };
constexpr QPoint backdropPosition { 0, 53 };
constexpr int pageControlWidth = 41;
constexpr QSize pageTabSize { 22, 100 };
constexpr int hidePanelWidth = 3;
constexpr int contentTop = 64;
constexpr int margin = 6;
constexpr int prefixChooserWidth = 183;
constexpr int editHeight = 22;
constexpr int rowStep = 28;
constexpr int labelLeft = 4; // labels stand right-aligned before their edits
constexpr int labelWidth = 74;
constexpr int editLeft = 82;
constexpr int editWidth = 246;

// The employee record on the left, the employee search on its right, as wide as the window lets it be.
constexpr QRect employeeRecordGeometry { 0, contentTop, 340, 356 };
constexpr int employeeSearchLeft = 346;
constexpr int employeeSearchWidth = 340; // at least
// The department search and record, where the prefix chooser's place puts them, and the department's employees
// under them from the left edge across the window, so that a wide window shows every column.
constexpr int departmentSearchLeft = 320;
constexpr int departmentRecordWidth = 340;
constexpr int departmentRecordHeight = 272;
// Where the letter lists lie until they float: over the search panel, down to the bottom of the content, since a
// letter of a real directory has thousands of names.
constexpr QPoint letterListPlace { 356, 126 };
constexpr QSize letterListMinimumSize { 330, 260 };
constexpr QSize minimumClientSize { 760, 500 }; // leaves the department's employees a few rows

const QColor ground(217, 227, 238); // the backdrop picture fades into it
const QColor maroon(128, 0, 0);
const QColor navy(0, 0, 128);
const QColor blue(0, 0, 255);

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

void makeBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

void bindEdit(ui::DBEdit* edit, db::DataSource* source, const char* field)
{
    edit->setDataSource(source);
    edit->setDataField(QLatin1String(field));
}

const ui::DBGrid::Options browseGridOptions = ui::DBGrid::Option::Titles | ui::DBGrid::Option::ColLines
    | ui::DBGrid::Option::RowLines | ui::DBGrid::Option::Tabs | ui::DBGrid::Option::RowSelect
    | ui::DBGrid::Option::AlwaysShowSelection | ui::DBGrid::Option::ConfirmDelete | ui::DBGrid::Option::CancelOnExit;

} // namespace

TfrmMain::TfrmMain(TfrmDataMod& dataModule, os::WindowDirectory& windows, os::HelpViewer& help,
    const QString& programFolder, QWidget* parent)
    : QMainWindow(parent)
    , ClientArea(component<QWidget>("ClientArea", this))
    , MainMenu1(component<QMenuBar>("MainMenu1", this))
    , File1(component<QMenu>("File1", QStringLiteral("&File"), MainMenu1))
    , PrinterSetup1(component<QAction>("PrinterSetup1", QStringLiteral("&Printer Setup..."), File1))
    , PrintListing1(component<QAction>("PrintListing1", QStringLiteral("&Go to Printroll"), File1))
    , N1(separator("N1", File1))
    , Exit1(component<QAction>("Exit1", QStringLiteral("E&xit"), File1))
    , Record1(component<QMenu>("Record1", QStringLiteral("&Record"), MainMenu1))
    , First1(component<QAction>("First1", QStringLiteral("&First"), Record1))
    // Ctrl+P belongs to the printer set-up, which comes first in the menu; here it is only shown.
    , Previous1(component<QAction>("Previous1", QStringLiteral("&Previous\tCtrl+P"), Record1))
    , Next1(component<QAction>("Next1", QStringLiteral("&Next"), Record1))
    , Last1(component<QAction>("Last1", QStringLiteral("&Last"), Record1))
    , N4(separator("N4", Record1))
    , Copy1(component<QAction>("Copy1", QStringLiteral("&Copy Record to Clipboard"), Record1))
    , N2(separator("N2", Record1))
    , AddModify1(component<QAction>("AddModify1", QStringLiteral("Add/Modify &Employee..."), Record1))
    , AddModifyDepartment1(
          component<QAction>("AddModifyDepartment1", QStringLiteral("Add/Modify &Department..."), Record1))
    , N3(separator("N3", Record1))
    , ImportRecord1(component<QAction>("ImportRecord1", QStringLiteral("&Import Record..."), Record1))
    , Option1(component<QMenu>("Option1", QStringLiteral("&Option"), MainMenu1))
    , SpecialNumber1(component<QAction>("SpecialNumber1", QStringLiteral("&Special Number..."), Option1))
    , N7(separator("N7", Option1))
    , EnterPassword1(component<QAction>("EnterPassword1", QStringLiteral("&Enter Password..."), Option1))
    , ChangePassword1(component<QAction>("ChangePassword1", QStringLiteral("&Change Password..."), Option1))
    , Help1(component<QMenu>("Help1", QStringLiteral("&Help"), MainMenu1))
    , Content1(component<QAction>("Content1", QStringLiteral("&Contents"), Help1))
    , N5(separator("N5", Help1))
    , BrenwickHomePage1(component<QAction>("BrenwickHomePage1", QStringLiteral("Brenwick Software &Home Page"), Help1))
    , N6(separator("N6", Help1))
    , About1(component<QAction>("About1", QStringLiteral("&About..."), Help1))
    , ToolBar1(component<PanelFrame>("ToolBar1", PanelFrame::Look::Bar, ClientArea))
    , Panel3(component<QWidget>("Panel3", ToolBar1))
    , DBNavigator1(component<ui::DBNavigator>("DBNavigator1", ToolBar1))
    , TabControlMain(component<FixedTabBar>("TabControlMain", letterTabSize, ClientArea))
    , Image1(component<QLabel>("Image1", ClientArea))
    , PageControlMain(component<PageControl>("PageControlMain", pageTabSize, ClientArea))
    , TabSheetEmployee(component<QWidget>("TabSheetEmployee", PageControlMain))
    , TabSheetDepartment(component<QWidget>("TabSheetDepartment", PageControlMain))
    , PanelHide(component<QFrame>("PanelHide", ClientArea))
    , PanelEmployee1(component<PanelFrame>("PanelEmployee1", PanelFrame::Look::Card, ClientArea))
    , DBEditName(component<ui::DBEdit>("DBEditName", PanelEmployee1))
    , DBEditExtension(component<ui::DBEdit>("DBEditExtension", PanelEmployee1))
    , DBEditBeeper(component<ui::DBEdit>("DBEditBeeper", PanelEmployee1))
    , DBEditCellularPhone(component<ui::DBEdit>("DBEditCellularPhone", PanelEmployee1))
    , DBEditHomePhone(component<ui::DBEdit>("DBEditHomePhone", PanelEmployee1))
    , DBEditEMail(component<ui::DBEdit>("DBEditEMail", PanelEmployee1))
    , DBEditTitle(component<ui::DBEdit>("DBEditTitle", PanelEmployee1))
    , DBEditEmployeeDepartment(component<ui::DBEdit>("DBEditEmployeeDepartment", PanelEmployee1))
    , DBLookupCombo1(component<ui::DBLookupCombo>("DBLookupCombo1", PanelEmployee1))
    , PanelEmployee2(component<PanelFrame>("PanelEmployee2", PanelFrame::Look::Card, ClientArea))
    , EditEmployeeSearch(component<QLineEdit>("EditEmployeeSearch", PanelEmployee2))
    , DBGridEmployee2(component<ui::DBGrid>("DBGridEmployee2", PanelEmployee2))
    , PanelDepartment1(component<PanelFrame>("PanelDepartment1", PanelFrame::Look::Card, ClientArea))
    , EditDepartmentSearch(component<QLineEdit>("EditDepartmentSearch", PanelDepartment1))
    , DBEditDepartment(component<ui::DBEdit>("DBEditDepartment", PanelDepartment1))
    , DBEditMainExtension(component<ui::DBEdit>("DBEditMainExtension", PanelDepartment1))
    , DBEditFaxNumber(component<ui::DBEdit>("DBEditFaxNumber", PanelDepartment1))
    , DBEditLocationLine1(component<ui::DBEdit>("DBEditLocationLine1", PanelDepartment1))
    , DBEditLocationLine2(component<ui::DBEdit>("DBEditLocationLine2", PanelDepartment1))
    , DBGridEmployee(component<ui::DBGrid>("DBGridEmployee", ClientArea))
    , PanelEmployee(component<PanelFrame>("PanelEmployee", PanelFrame::Look::Bordered, this))
    , StringGridEmployee(component<QTableWidget>("StringGridEmployee", 1, 2, PanelEmployee))
    , PanelDepartment(component<PanelFrame>("PanelDepartment", PanelFrame::Look::Bordered, this))
    , ListBoxDepartment(component<QListWidget>("ListBoxDepartment", PanelDepartment))
    , PanelEmployeeDock(component<LetterListDock>("PanelEmployeeDock", PanelEmployee, this))
    , PanelDepartmentDock(component<LetterListDock>("PanelDepartmentDock", PanelDepartment, this))
    , DBLookupComboBox1(component<ui::DBLookupComboBox>("DBLookupComboBox1", ClientArea))
    , m_dataModule(dataModule)
    , m_windows(windows)
    , m_help(help)
    , m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProgramLinks::MainWindowCaption);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setCentralWidget(ClientArea);
    setMenuBar(MainMenu1);
    ClientArea->setMinimumSize(minimumClientSize);
    QPalette groundPalette = ClientArea->palette();
    groundPalette.setColor(QPalette::Window, ground);
    ClientArea->setPalette(groundPalette);
    ClientArea->setAutoFillBackground(true);
    ui::maximiseOnScreen(*this);

    buildMenu();
    buildToolBar();
    buildLetterTabs();
    buildBackdrop();
    buildPageControl();
    buildEmployeePage();
    buildDepartmentPage();
    buildLetterLists();
    buildPrefixChooser();
    placeComponents();
    connectHandlers();

    // The list printer finds this program by the main window's title.
    m_windows.publish(this);
    ui::guarded([this] { FormCreate(); });
}

void TfrmMain::buildMenu()
{
    File1->addActions({ PrinterSetup1, PrintListing1, N1, Exit1 });
    Record1->addActions(
        { First1, Previous1, Next1, Last1, N4, Copy1, N2, AddModify1, AddModifyDepartment1, N3, ImportRecord1 });
    Option1->addActions({ SpecialNumber1, N7, EnterPassword1, ChangePassword1 });
    Help1->addActions({ Content1, N5, BrenwickHomePage1, N6, About1 });
    for (QMenu* const menu : { File1, Record1, Option1, Help1 })
        MainMenu1->addMenu(menu);

    PrinterSetup1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    PrintListing1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    First1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    Next1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Last1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
}

void TfrmMain::buildToolBar()
{
    ToolBar1->setPalette(palette());
    ToolBar1->setAutoFillBackground(true);
    Panel3->setGeometry(0, 0, 11, toolBarHeight);
    DBNavigator1->setFlat(true);
    DBNavigator1->setGeometry(11, 2, navigatorButtons::browseWidth, toolBarHeight - 4);
    DBNavigator1->setDataSource(m_dataModule.SrcEmployee1);
    setNavigatorButtons(navigatorButtons::browse, navigatorButtons::browseWidth);
}

void TfrmMain::buildLetterTabs()
{
    TabControlMain->setShape(QTabBar::RoundedSouth);
    TabControlMain->setFocusPolicy(Qt::NoFocus);
    TabControlMain->setFont(QFont(QStringLiteral("Times New Roman"), 10, QFont::Bold));
    TabControlMain->setDrawBase(true);
    for (int index = 0; index < letterTabCount; ++index)
        TabControlMain->addTab(QString(QChar(u'A' + index)));
    TabControlMain->setCurrentIndex(0);
    TabControlMain->setGeometry(letterTabsGeometry);
}

void TfrmMain::buildBackdrop()
{
    Image1->move(backdropPosition);
    Image1->lower(); // behind every panel
    hideListsOnClick(Image1);
    // A picture that cannot be shown is reported and the window comes up without it.
    ui::guarded([this] {
        QFile file(QStringLiteral(":/directory/Backdrop.jpg"));
        if (!file.open(QIODevice::ReadOnly))
            throw os::OsError(QStringLiteral("The backdrop picture is missing from the program."));
        const QImage picture = os::decodeJpeg(file.readAll());
        Image1->setPixmap(QPixmap::fromImage(picture));
        Image1->setFixedSize(picture.size());
    });
}

void TfrmMain::buildPageControl()
{
    PageControlMain->setTabPosition(QTabWidget::East);
    PageControlMain->setFocusPolicy(Qt::NoFocus);
    PageControlMain->tabBar()->setFocusPolicy(Qt::NoFocus);
    PageControlMain->addTab(TabSheetEmployee, QStringLiteral("Employee"));
    PageControlMain->addTab(TabSheetDepartment, QStringLiteral("Department"));
    PageControlMain->setCurrentIndex(mainPage::employee);
    TabSheetEmployee->installEventFilter(this);
    TabSheetDepartment->installEventFilter(this);
    PanelHide->setFrameShape(QFrame::NoFrame);
}

QLabel* TfrmMain::addLabel(QWidget* panel, const char* name, const QString& text, const QRect& geometry)
{
    auto* const label = component<QLabel>(name, text, panel);
    label->setGeometry(geometry);
    return label;
}

QLabel* TfrmMain::fieldLabel(QWidget* panel, const char* name, const char* caption, int editTop)
{
    QLabel* const label
        = addLabel(panel, name, QLatin1String(caption), QRect(labelLeft, editTop + 2, labelWidth, editHeight - 4));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

int TfrmMain::addRecordRows(QWidget* panel, db::DataSource* source, int top, std::initializer_list<RecordRow> rows)
{
    for (const RecordRow& row : rows) {
        hideListsOnClick(fieldLabel(panel, row.labelName, row.caption, top));
        row.edit->setGeometry(editLeft, top, editWidth, editHeight);
        bindEdit(row.edit, source, row.field);
        top += rowStep;
    }
    return top;
}

void TfrmMain::addSearchField(QWidget* panel, const char* labelName, const char* caption, QLineEdit* edit)
{
    auto* const label = addLabel(panel, labelName, QLatin1String(caption), QRect(10, 10, 300, 18));
    makeBold(label);
    hideListsOnClick(label);
    edit->setGeometry(10, 32, 280, editHeight);
    makeBold(edit);
    setTextColor(edit, blue);
    ui::enterUpperCase(*edit);
    hideListsOnClick(edit);
}

void TfrmMain::buildEmployeePage()
{
    PanelEmployee1->setGeometry(employeeRecordGeometry);
    hideListsOnClick(PanelEmployee1);
    auto* const prefixHint = addLabel(PanelEmployee1, "LabelEmployeePrefix",
        QStringLiteral("Select a special character to add to a number before dialing."),
        QRect(editLeft, 28, editWidth, 30));
    prefixHint->setWordWrap(true);

    const int top = addRecordRows(PanelEmployee1, m_dataModule.SrcEmployee1, 96,
        {
            { "LabelName", "Name:", DBEditName, "Name" },
            { "LabelExtension", "Phone/Ext:", DBEditExtension, "Extension" },
            { "LabelPager", "Pager #:", DBEditBeeper, "Pager" },
            { "LabelCellular", "Cellular #:", DBEditCellularPhone, "Cellular" },
            { "LabelHomePhone", "Home Phone:", DBEditHomePhone, "HomePhone" },
            { "LabelEMail", "E-mail:", DBEditEMail, "EMail" },
            { "LabelTitle", "Title:", DBEditTitle, "Title" },
            { "LabelEmployeeDepartment", "Department:", DBEditEmployeeDepartment, "Department" },
        });
    DBEditName->setCharCase(ui::DBEdit::CharCase::UpperCase);
    setTextColor(DBEditExtension, maroon);

    // The department picker takes the plain edit's place once editing is allowed.
    DBLookupCombo1->setGeometry(DBEditEmployeeDepartment->geometry());
    DBLookupCombo1->setDataSource(m_dataModule.SrcEmployee1);
    DBLookupCombo1->setDataField(QStringLiteral("Department"));
    DBLookupCombo1->setLookupSource(m_dataModule.SrcDepartment);
    DBLookupCombo1->setLookupField(QStringLiteral("Department"));
    DBLookupCombo1->hide();

    addLabel(PanelEmployee1, "LabelDialHint", QStringLiteral("Double click a number that you want to dial."),
        QRect(10, top + 6, 320, 18));

    QWidget::setTabOrder(DBEditName, DBEditExtension);
    QWidget::setTabOrder(DBEditExtension, DBEditBeeper);
    QWidget::setTabOrder(DBEditBeeper, DBEditCellularPhone);
    QWidget::setTabOrder(DBEditCellularPhone, DBEditHomePhone);
    QWidget::setTabOrder(DBEditHomePhone, DBEditTitle);
    QWidget::setTabOrder(DBEditTitle, DBEditEmployeeDepartment);
    QWidget::setTabOrder(DBEditEmployeeDepartment, DBLookupCombo1);
    QWidget::setTabOrder(DBLookupCombo1, DBEditEMail);

    hideListsOnClick(PanelEmployee2);
    addSearchField(PanelEmployee2, "LabelEmployeeSearch", "Searching for an Employee:", EditEmployeeSearch);

    DBGridEmployee2->setDataSource(m_dataModule.SrcEmployee1);
    DBGridEmployee2->setColumns({ { QStringLiteral("Name"), QString(), 150 },
        { QStringLiteral("Extension"), QStringLiteral("Phone/Ext."), 0 } });
    DBGridEmployee2->setOptions(browseGridOptions);
}

void TfrmMain::buildDepartmentPage()
{
    addSearchField(PanelDepartment1, "LabelDepartmentSearch", "Searching for a Department:", EditDepartmentSearch);

    const int top = addRecordRows(PanelDepartment1, m_dataModule.SrcDepartment, 66,
        {
            { "LabelDepartment", "Department:", DBEditDepartment, "Department" },
            { "LabelMainExtension", "Main Ext:", DBEditMainExtension, "MainExtension" },
            { "LabelFaxNumber", "Fax No.:", DBEditFaxNumber, "FaxNumber" },
            { "LabelLocationLine1", "Location 1:", DBEditLocationLine1, "Address1" },
            { "LabelLocationLine2", "Location 2:", DBEditLocationLine2, "Address2" },
        });
    setTextColor(DBEditDepartment, maroon);
    auto* const prefixHint = addLabel(PanelDepartment1, "LabelDepartmentPrefix",
        QStringLiteral("Select a special character to add to a number before dialing."),
        QRect(editLeft, top, editWidth, 30));
    prefixHint->setWordWrap(true);
    PanelDepartment1->hide();

    DBGridEmployee->setDataSource(m_dataModule.SrcEmployee2);
    DBGridEmployee->setOptions(browseGridOptions);
    DBGridEmployee->setTitleColor(navy);
    DBGridEmployee->hide();
}

void TfrmMain::buildLetterLists()
{
    PanelEmployee->installEventFilter(this);
    StringGridEmployee->horizontalHeader()->hide();
    StringGridEmployee->verticalHeader()->hide();
    StringGridEmployee->verticalHeader()->setMinimumSectionSize(1);
    StringGridEmployee->horizontalHeader()->setDefaultSectionSize(145);
    StringGridEmployee->verticalHeader()->setDefaultSectionSize(15);
    StringGridEmployee->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGridEmployee->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGridEmployee->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGridEmployee->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGridEmployee->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGridEmployee->move(8, 9);
    StringGridEmployee->viewport()->installEventFilter(this);
    m_nameFeed = new NameGridFeed(*StringGridEmployee); // owned by the grid

    PanelDepartment->installEventFilter(this);
    ListBoxDepartment->setUniformItemSizes(true);
    ListBoxDepartment->setItemDelegate(new FixedRowDelegate(14, ListBoxDepartment)); // owned by the list box
    ListBoxDepartment->setSortingEnabled(false); // kept in the order added
    ListBoxDepartment->move(8, 9);

    for (LetterListDock* const dock : { PanelEmployeeDock, PanelDepartmentDock }) {
        dock->hide();
    }
    PanelEmployee->resize(letterListMinimumSize);
    PanelDepartment->resize(letterListMinimumSize);
}

void TfrmMain::buildPrefixChooser()
{
    DBLookupComboBox1->setListSource(m_dataModule.SrcSpecial);
    DBLookupComboBox1->setKeyField(QStringLiteral("Number"));
    DBLookupComboBox1->setListField(QStringLiteral("Number;Description"));
    DBLookupComboBox1->setGeometry(82, 124, prefixChooserWidth, editHeight);
    DBLookupComboBox1->raise();
}

void TfrmMain::placeComponents()
{
    const int width = ClientArea->width();
    const int height = ClientArea->height();
    const int pageControlLeft = width - pageControlWidth;
    const int contentBottom = height - margin;

    const int contentRight = pageControlLeft - hidePanelWidth - margin;

    // The page control keeps to the right edge; the pages' content keeps its place and grows to the right and
    // downwards.
    ToolBar1->setGeometry(0, 0, width, toolBarHeight);
    PageControlMain->setGeometry(pageControlLeft, toolBarHeight, pageControlWidth, height - toolBarHeight);
    PanelHide->setGeometry(pageControlLeft - hidePanelWidth, toolBarHeight, hidePanelWidth, height - toolBarHeight);
    PanelEmployee2->setGeometry(employeeSearchLeft, contentTop,
        std::max(employeeSearchWidth, contentRight - employeeSearchLeft), contentBottom - contentTop);
    DBGridEmployee2->setGeometry(10, 62, PanelEmployee2->width() - 20, PanelEmployee2->height() - 72);
    PanelDepartment1->setGeometry(departmentSearchLeft, contentTop, departmentRecordWidth, departmentRecordHeight);
    const int departmentGridTop = PanelDepartment1->geometry().bottom() + 1 + margin;
    DBGridEmployee->setGeometry(
        margin, departmentGridTop, std::max(0, contentRight - margin), std::max(0, contentBottom - departmentGridTop));

    const QPoint clientOrigin = ClientArea->mapTo(this, QPoint(0, 0));
    const QRect letterList(letterListPlace,
        QSize(letterListMinimumSize.width(),
            std::max(letterListMinimumSize.height(), contentBottom - letterListPlace.y())));
    PanelEmployeeDock->setDockedGeometry(letterList.translated(clientOrigin));
    PanelDepartmentDock->setDockedGeometry(letterList.translated(clientOrigin));
}

void TfrmMain::hideListsOnClick(QWidget* widget)
{
    m_listHidingWidgets.push_back(widget);
    widget->installEventFilter(this);
}

void TfrmMain::connectHandlers()
{
    hideListsOnClick(ClientArea); // the window's free area; its resizing also places the components

    ui::connectGuarded(PrinterSetup1, &QAction::triggered, this, &TfrmMain::PrinterSetup1Click);
    ui::connectGuarded(PrintListing1, &QAction::triggered, this, &TfrmMain::PrintListing1Click);
    ui::connectGuarded(Exit1, &QAction::triggered, this, &TfrmMain::Exit1Click);
    ui::connectGuarded(First1, &QAction::triggered, this, &TfrmMain::First1Click);
    ui::connectGuarded(Previous1, &QAction::triggered, this, &TfrmMain::Previous1Click);
    ui::connectGuarded(Next1, &QAction::triggered, this, &TfrmMain::Next1Click);
    ui::connectGuarded(Last1, &QAction::triggered, this, &TfrmMain::Last1Click);
    ui::connectGuarded(Content1, &QAction::triggered, this, &TfrmMain::Content1Click);
    ui::connectGuarded(BrenwickHomePage1, &QAction::triggered, this, &TfrmMain::BrenwickHomePage1Click);
    ui::connectGuarded(About1, &QAction::triggered, this, &TfrmMain::About1Click);
    ui::connectGuarded(Copy1, &QAction::triggered, this, &TfrmMain::Copy1Click);

    ui::connectGuarded(PageControlMain, &QTabWidget::currentChanged, this, &TfrmMain::PageControlMainChange);
    ui::connectGuarded(DBNavigator1, &ui::DBNavigator::clicked, this, &TfrmMain::DBNavigator1Click);
    ui::connectGuarded(DBGridEmployee, &ui::DBGrid::entered, this, &TfrmMain::DBGridEmployeeEnter);
    ui::connectGuarded(DBGridEmployee, &ui::DBGrid::exited, this, &TfrmMain::DBGridEmployeeExit);
    ui::connectGuarded(DBGridEmployee, &ui::DBGrid::cellClicked, this, &TfrmMain::DBGridEmployeeCellClick);
    ui::connectGuarded(DBGridEmployee2, &ui::DBGrid::cellClicked, this, &TfrmMain::DBGridEmployee2CellClick);

    for (ui::DBEdit* const edit : { DBEditName, DBEditExtension, DBEditBeeper, DBEditCellularPhone, DBEditHomePhone,
             DBEditEMail, DBEditTitle, DBEditEmployeeDepartment, DBEditDepartment, DBEditMainExtension, DBEditFaxNumber,
             DBEditLocationLine1, DBEditLocationLine2 })
        ui::connectGuarded(edit, &ui::DBEdit::clicked, this, &TfrmMain::HideListBoxes);

    connectDialling();
    connectLetterLists();
    connectPermission();
}
