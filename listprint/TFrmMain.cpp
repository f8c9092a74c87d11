#include "listprint/TFrmMain.h"

#include "common/DirectoryDatabase.h"
#include "common/TAboutBox.h"
#include "listprint/ImageList.h"
#include "listprint/ListExporters.h"
#include "listprint/PrintrollLog.h"
#include "common/ProgramLinks.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TSelectionDlg.h"
#include "listprint/TfrmSelectDelimiter.h"
#include "listprint/ToolBarPictures.h"
#include "listprint/reports/TQRDepartment.h"
#include "listprint/reports/TQREmployeeExt.h"
#include "listprint/reports/TQREmployeeList.h"
#include "listprint/reports/TQRShortList.h"
#include "platform/db/Field.h"
#include "platform/db/Query.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/os/JpegDecoder.h"
#include "platform/os/OsError.h"
#include "platform/os/PrinterSetupDialog.h"
#include "platform/os/Shell.h"
#include "platform/os/WindowDirectory.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBMemo.h"
#include "platform/ui/Guard.h"
#include "platform/ui/MaximiseOnScreen.h"
#include "platform/modal/ModalPoint.h"
#include "platform/ui/Component.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using ui::component;

constexpr QSize toolButtonSize(74, 27);
constexpr QSize toolPictureSize(67, 17);
constexpr QSize backdropSize(636, 360);
constexpr int tabLength = 140; // along the window's right edge
constexpr int panelHideWidth = 3;
// The description and the catalogue stand on the backdrop's left, leaving its picture on the right in view.
constexpr int descriptionWidth = 180;
constexpr int listNameWidth = 214;
constexpr int catalogueWidth = 236;

QAction* menuItem(QObject* owner, const char* name, const QString& caption)
{
    auto* action = component<QAction>(name, owner);
    action->setText(caption);
    return action;
}

QAction* separator(QObject* owner, const char* name)
{
    auto* action = component<QAction>(name, owner);
    action->setSeparator(true);
    return action;
}

QMenu* menu(QWidget* owner, const char* name, const QString& caption)
{
    auto* created = component<QMenu>(name, owner);
    created->setTitle(caption);
    return created;
}

QWidget* spacer(QWidget* owner, const char* name, int width)
{
    auto* panel = component<QWidget>(name, owner);
    panel->setFixedWidth(width);
    return panel;
}

// Where the save dialog of an export starts until a file has been chosen: the user's documents folder, where a
// print without a printer is written too, or the home folder where there is none.
QString exportFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QStringList employeeQueryText(const QStringList& furtherLines)
{
    // The first two lines are stored with their trailing blanks.
    return QStringList { QStringLiteral("Select * "), QStringLiteral("FROM employee ") } + furtherLines;
}

} // namespace

TFrmMain::TFrmMain(TFrmDataMod& dataMod, os::WindowDirectory& windows, QStringList arguments, QWidget* parent)
    : QMainWindow(parent)
    , Image1(component<QLabel>("Image1", this))
    , DBGridMain(component<ui::DBGrid>("DBGridMain", this))
    , DBMemoDescription(component<ui::DBMemo>("DBMemoDescription", this))
    , Panel1(component<QLabel>("Panel1", this))
    , MainMenu1(component<QMenuBar>("MainMenu1", this))
    , File1(menu(this, "File1", QStringLiteral("&File")))
    , PrinterSetup1(menuItem(this, "PrinterSetup1", QStringLiteral("&Printer Setup...")))
    , PrintListing1(menuItem(this, "PrintListing1", QStringLiteral("Print Pre&view")))
    , N1(separator(this, "N1"))
    , Return1(menuItem(this, "Return1", QStringLiteral("&Return to Main Menu")))
    , PrinttoPrinter1(menuItem(this, "PrinttoPrinter1", QStringLiteral("Print &to Printer")))
    , Help1(menu(this, "Help1", QStringLiteral("&Help")))
    , Content1(menuItem(this, "Content1", QStringLiteral("&Contents...")))
    , N2(separator(this, "N2"))
    , About1(menuItem(this, "About1", QStringLiteral("&About...")))
    , ImageList1(new ImageList(toolPictureSize, this))
    , ToolBar1(component<QToolBar>("ToolBar1", this))
    , ToolBtnPreview(component<QToolButton>("ToolBtnPreview", this))
    , ToolBtnPrinter(component<QToolButton>("ToolBtnPrinter", this))
    , TooBtnReturn(component<QToolButton>("TooBtnReturn", this))
    , ToolBtnExport(component<QToolButton>("ToolBtnExport", this))
    , ExportToAsciiFile1(menuItem(this, "ExportToAsciiFile1", QStringLiteral("&Export To ASCII File...")))
    , Panel2(spacer(this, "Panel2", 48))
    , Panel3(spacer(this, "Panel3", 6))
    , PanelHide(component<QWidget>("PanelHide", this))
    , PageControlMain(component<QTabWidget>("PageControlMain", this))
    , TabSheetEmployee(component<QWidget>("TabSheetEmployee", this))
    , TabSheetDepartment(component<QWidget>("TabSheetDepartment", this))
    , m_dataMod(dataMod)
    , m_windows(windows)
    , m_arguments(std::move(arguments))
    , m_programFolder(QCoreApplication::applicationDirPath())
{
    setObjectName(QStringLiteral("FrmMain"));
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    setWindowTitle(ProgramLinks::CompanionWindowCaption);
    // A tool window has no taskbar button: Printroll runs beside the directory program without one of its own.
    setWindowFlag(Qt::Tool);
    // Maximised, also where no window manager does that for a tool window.
    ui::maximiseOnScreen(*this);
    // Every list is laid out on Letter paper, upright: the paper of the prints until the printer set-up says other.
    m_printerSetupDialog1.printer().setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));

    buildMenus();
    buildToolBar();
    buildClientArea();
    ui::guarded([this] { showBackdrop(); });
    connectHandlers();
    ui::guarded([this] { FormCreate(); });
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::buildMenus()
{
    setMenuBar(MainMenu1);
    File1->addActions({ PrinterSetup1, PrintListing1, PrinttoPrinter1, ExportToAsciiFile1, N1, Return1 });
    Help1->addActions({ Content1, N2, About1 });
    MainMenu1->addMenu(File1);
    MainMenu1->addMenu(Help1);
}

void TFrmMain::buildToolBar()
{
    ImageList1->add(ToolBarPictures::preview(toolPictureSize));
    ImageList1->add(ToolBarPictures::printer(toolPictureSize));
    ImageList1->add(ToolBarPictures::exportFile(toolPictureSize));
    ImageList1->add(ToolBarPictures::returnToMain(toolPictureSize));

    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setIconSize(toolPictureSize);
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar#ToolBar1 { border: 1px solid palette(mid); padding: 1px; }"));
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    // Each button does what its menu item does, and is disabled when that item is.
    const auto addButton = [this](QToolButton* button, int picture, const QString& hint, QAction* item) {
        button->setAutoRaise(true); // flat
        button->setFixedSize(toolButtonSize);
        button->setIconSize(ImageList1->size());
        button->setIcon(ImageList1->picture(picture));
        button->setToolTip(hint);
        connect(button, &QToolButton::clicked, item, &QAction::trigger);
        connect(item, &QAction::enabledChanged, button, &QWidget::setEnabled);
        ToolBar1->addWidget(button);
    };
    ToolBar1->addWidget(Panel3);
    addButton(ToolBtnPreview, 0, QStringLiteral("Print Preview"), PrintListing1);
    addButton(ToolBtnPrinter, 1, QStringLiteral("Print to Printer"), PrinttoPrinter1);
    addButton(ToolBtnExport, 2, QStringLiteral("Export to ASCII File"), ExportToAsciiFile1);
    ToolBar1->addWidget(Panel2);
    addButton(TooBtnReturn, 3, QStringLiteral("Return to Main Menu"), Return1);
}

void TFrmMain::buildClientArea()
{
    auto* client = new QWidget(this); // owned by the window
    setCentralWidget(client);

    // The backdrop lies behind the other controls at its own size, outside the layout.
    Image1->setParent(client);
    Image1->setGeometry(QRect(QPoint(0, 0), backdropSize));
    Image1->lower();

    Panel1->setParent(client);
    Panel1->setText(QStringLiteral("List Description"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setMinimumHeight(24);
    QPalette captionColours = Panel1->palette();
    captionColours.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80)); // navy
    Panel1->setPalette(captionColours);

    DBMemoDescription->setParent(client);
    DBMemoDescription->setReadOnly(true);
    DBMemoDescription->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    DBMemoDescription->setDataSource(m_dataMod.SrcQryReport);
    DBMemoDescription->setDataField(QStringLiteral("Description"));

    DBGridMain->setParent(client);
    DBGridMain->setDataSource(m_dataMod.SrcQryReport);
    DBGridMain->setColumns(
        { ui::DBGridColumn { QStringLiteral("Name"), QStringLiteral("List Name"), listNameWidth, Qt::AlignCenter } });
    DBGridMain->setOptions(ui::DBGrid::Option::Titles | ui::DBGrid::Option::ColLines | ui::DBGrid::Option::RowLines
        | ui::DBGrid::Option::Tabs | ui::DBGrid::Option::AlwaysShowSelection | ui::DBGrid::Option::ConfirmDelete
        | ui::DBGrid::Option::CancelOnExit);
    DBGridMain->setReadOnly(true);

    // Only the tabs of the page control show: its pages are squeezed to nothing and PanelHide covers the edge
    // that is left of them.
    PageControlMain->setParent(client);
    PageControlMain->setTabPosition(QTabWidget::East);
    PageControlMain->setDocumentMode(true);
    PageControlMain->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { min-height: %1px; }").arg(tabLength));
    PageControlMain->addTab(TabSheetEmployee, QStringLiteral("Employee Listing"));
    PageControlMain->addTab(TabSheetDepartment, QStringLiteral("Department Listing"));
    PageControlMain->setCurrentIndex(0);
    PageControlMain->setFixedWidth(PageControlMain->tabBar()->sizeHint().width() + panelHideWidth);
    PanelHide->setParent(PageControlMain);
    PanelHide->setAutoFillBackground(true);
    PanelHide->raise();
    PageControlMain->installEventFilter(this);

    auto* description = new QVBoxLayout; // owned by the client area's layout
    description->setSpacing(0);
    description->addWidget(Panel1);
    description->addWidget(DBMemoDescription, 1);

    auto* layout = new QHBoxLayout(client); // owned by the client area
    layout->setContentsMargins(12, 12, 0, 12);
    layout->setSpacing(12);
    layout->addLayout(description);
    layout->addWidget(DBGridMain);
    layout->addStretch(1);
    layout->addWidget(PageControlMain);
    Panel1->setFixedWidth(descriptionWidth);
    DBMemoDescription->setFixedWidth(descriptionWidth);
    DBGridMain->setFixedWidth(catalogueWidth);
}

void TFrmMain::showBackdrop()
{
    QFile picture(QStringLiteral(":/listprint/Backdrop.jpg"));
    if (!picture.open(QIODevice::ReadOnly))
        throw os::OsError(QStringLiteral("Cannot read the backdrop picture: %1").arg(picture.errorString()));
    Image1->setPixmap(QPixmap::fromImage(os::decodeJpeg(picture.readAll())));
}

void TFrmMain::connectHandlers()
{
    ui::connectGuarded(PrinterSetup1, &QAction::triggered, this, &TFrmMain::PrinterSetup1Click);
    ui::connectGuarded(PrintListing1, &QAction::triggered, this, &TFrmMain::ToolBtnPreviewClick);
    ui::connectGuarded(PrinttoPrinter1, &QAction::triggered, this, &TFrmMain::PrinttoPrinter1Click);
    ui::connectGuarded(ExportToAsciiFile1, &QAction::triggered, this, &TFrmMain::ToolBtnExportClick);
    ui::connectGuarded(Return1, &QAction::triggered, this, &TFrmMain::Return1Click);
    ui::connectGuarded(Content1, &QAction::triggered, this, &TFrmMain::Content1Click);
    ui::connectGuarded(About1, &QAction::triggered, this, &TFrmMain::About1Click);
    ui::connectGuarded(DBGridMain, &ui::DBGrid::doubleClicked, this, &TFrmMain::DBGridMainDblClick);
    ui::connectGuarded(PageControlMain, &QTabWidget::currentChanged, this, &TFrmMain::PageControlMainChange);
}

void TFrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Coming back from minimised is not a show of the form.
    if (!event->spontaneous())
        ui::guarded([this] { FormShow(); });
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    ui::guarded([this] { FormClose(); });
    event->accept();
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PageControlMain && event->type() == QEvent::Resize)
        PanelHide->setGeometry(0, 0, panelHideWidth, PageControlMain->height());
    return QMainWindow::eventFilter(watched, event);
}

void TFrmMain::FormCreate()
{
    db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
    m_dataMod.QryReport->Prepare();
    m_dataMod.QryReport->Open();
    m_reportAction = 1;
    qCInfo(lcPrintrollForm) << "FormCreate: catalogue open";
}

void TFrmMain::FormShow()
{
    // The taskbar button is already gone: the window is a tool window from its creation on.
    if (m_arguments.value(1) == ProgramLinks::LaunchToken) {
        qCInfo(lcPrintrollForm) << "FormShow: started with the launch word";
        return;
    }
    qCInfo(lcPrintrollForm) << "FormShow: no launch word, closing";
    // Closed once the show has completed, so that the window is not hidden half-way through being shown.
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void TFrmMain::FormClose()
{
    db::Session::defaultSession().RemovePassword(DirectoryDatabase::TablePassword);
    qCInfo(lcPrintrollForm) << "FormClose";
}

void TFrmMain::PageControlMainChange()
{
    QString area;
    switch (PageControlMain->currentIndex()) {
    case 0:
        area = QStringLiteral("Employee");
        break;
    case 1:
        area = QStringLiteral("Department");
        break;
    default:
        return;
    }
    db::Query& catalogue = *m_dataMod.QryReport;
    catalogue.Close();
    catalogue.Params(0).setAsString(area);
    catalogue.Open();
}

void TFrmMain::Return1Click()
{
    const std::optional<os::WindowHandle> directory = m_windows.findWindow(ProgramLinks::MainWindowCaption);
    if (!directory) {
        // Whether the shell could start it is not looked at: Printroll stays open either way.
        os::shellOpen(ProgramLinks::DirectoryProgramFile, QString(), m_programFolder);
        return;
    }
    close();
    m_windows.bringWindowToTop(*directory);
}

void TFrmMain::PrinterSetup1Click()
{
    // Accepted, the choice is on the program's printer, which the following prints and previews use.
    os::PrinterSetupDialog dialog(m_printerSetupDialog1.printer(), this);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    modal::ModalPoint::runModal(dialog);
}

void TFrmMain::Content1Click()
{
    const ui::Application* const application = ui::Application::instance();
    m_help.showContents(application ? application->HelpFile() : QString());
}

void TFrmMain::About1Click()
{
    // In a second copy of Printroll, creating the window ends the program (the single-instance guard on it).
    TAboutBox aboutBox(this, &m_windows);
    aboutBox.OKButton->setVisible(true);
    aboutBox.setWindowTitle(QStringLiteral("About Ringfolio"));
    modal::ModalPoint::runModal(aboutBox);
}

void TFrmMain::ToolBtnPreviewClick()
{
    if (m_runInProgress)
        return;
    m_reportAction = 1;
    DBGridMainDblClick();
}

void TFrmMain::PrinttoPrinter1Click()
{
    if (m_runInProgress)
        return;
    m_reportAction = 2;
    DBGridMainDblClick();
}

void TFrmMain::ToolBtnExportClick()
{
    if (m_runInProgress)
        return;
    TfrmSelectDelimiter delimiter(*this);
    if (modal::ModalPoint::runModal(delimiter) != QDialog::Accepted)
        return;
    const QString listName = m_dataMod.QryReportName->AsString();
    const QString fileName = m_saveDialog1.getSaveFileName(this,
        { QStringLiteral("Export %1 to an ASCII file").arg(listName), exportFolder(),
            QStringLiteral("Text file (*.txt);;Any file (*.*)"), QStringLiteral("txt"), QStringLiteral("&Export"),
            false });
    if (fileName.isEmpty())
        return;
    m_exportFileName = fileName;
    m_reportAction = 3;
    DBGridMainDblClick();
}

void TFrmMain::DBGridMainDblClick()
{
    // One run at a time: the lists share the employee query and the department table, and window messages go on
    // while a list is built and previewed.
    if (m_runInProgress)
        return;
    setRunInProgress(true);
    // Whatever the run did, even when it failed, the next double-click previews.
    const auto finished = qScopeGuard([this] {
        m_reportAction = 1;
        setRunInProgress(false);
    });
    runCurrentList();
}

void TFrmMain::runCurrentList()
{
    // An empty or closed catalogue reads as 0, which runs nothing.
    const int number = m_dataMod.QryReportReportNumber->AsInteger();
    const QString name = m_dataMod.QryReportName->AsString();
    switch (number) {
    case 1:
        runEmployeeList<TQREmployeeList>(
            { QStringLiteral("ORDER BY Name") }, name, &ExportEmployeeListComma, &ExportEmployeeListTab);
        break;
    case 2:
        runDepartmentChooser();
        break;
    case 3:
        runDepartmentList();
        break;
    case 4:
        runEmployeeList<TQRShortList>(
            { QStringLiteral("WHERE Title LIKE '%V.P.%' OR"), QStringLiteral("Title LIKE '%CONTROLLER%' OR"),
                QStringLiteral("Title LIKE '%VP%'"), QStringLiteral("ORDER BY Name") },
            name, &ExportShortListComma, &ExportShortListTab);
        break;
    case 5:
        runEmployeeList<TQRShortList>(
            { QStringLiteral("WHERE Title LIKE 'DIRECTOR%'"), QStringLiteral("ORDER BY Name") }, name,
            &ExportShortListComma, &ExportShortListTab);
        break;
    case 6:
        runEmployeeList<TQRShortList>(
            { QStringLiteral("WHERE Title LIKE '%TEAM LEADER%'"), QStringLiteral("ORDER BY Name") }, name,
            &ExportShortListComma, &ExportShortListTab);
        break;
    case 7:
        runEmployeeList<TQREmployeeExt>(
            { QStringLiteral("ORDER BY Name") }, name, &ExportEmployeeExtComma, &ExportEmployeeExtTab);
        break;
    default:
        break;
    }
}

template <typename Layout>
void TFrmMain::runEmployeeList(const QStringList& furtherLines, const QString& title, Exporter comma, Exporter tab)
{
    db::Query& employees = *m_dataMod.QryEmployee;
    employees.Close();
    employees.setSQL(employeeQueryText(furtherLines));
    Layout layout(employees, this);
    employees.Open();
    layout.LblReportTitle().setCaption(title);
    runAction(
        layout, [this, comma] { comma(*this); }, [this, tab] { tab(*this); });
}

void TFrmMain::runDepartmentList()
{
    db::Table& departments = *m_dataMod.TblSelectDepartment;
    TQRDepartment layout(departments, this);
    departments.Open(); // stays open from now on
    // The layout keeps its own title whatever the catalogue calls the list.
    runAction(
        layout, [this] { ExportDepartmentComma(*this); }, [this] { ExportDepartmentTab(*this); });
}

void TFrmMain::runDepartmentChooser()
{
    // Every department confirmed in the chooser runs the current action; closing it ends the run.
    TSelectionDlg chooser(*this);
    chooser.PrepareDepartmentList();
    modal::ModalPoint::runModal(chooser);
}

void TFrmMain::runAction(
    report::Report& layout, const std::function<void()>& exportComma, const std::function<void()>& exportTab)
{
    switch (m_reportAction) {
    case 1:
        layout.Preview(&m_printerSetupDialog1.printer());
        break;
    case 2: {
        const ui::BusyCursor busy; // the pages are laid out as they print
        layout.Print(&m_printerSetupDialog1.printer());
        break;
    }
    case 3:
        if (m_exportDelimiter == 0)
            exportComma();
        else if (m_exportDelimiter == 1)
            exportTab();
        break;
    default:
        break;
    }
}

void TFrmMain::setRunInProgress(bool inProgress)
{
    m_runInProgress = inProgress;
    for (QAction* const command : { PrintListing1, PrinttoPrinter1, ExportToAsciiFile1 })
        command->setEnabled(!inProgress);
}
