#include "directory/TfrmImportAscii.h"

#include "common/DirectoryDatabase.h"
#include "directory/ImportWorkFolder.h"
#include "directory/NavigatorButtons.h"
#include "directory/TfrmDataMod.h"
#include "platform/db/BatchMove.h"
#include "platform/db/DataSource.h"
#include "platform/db/EngineError.h"
#include "platform/db/FileReplacement.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Component.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBNavigator.h"
#include "platform/ui/Guard.h"
#include "platform/modal/ModalPoint.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

using ui::component;

constexpr QSize formSize { 616, 375 };

const QString viewingImport = QStringLiteral("Viewing:  Import Records");
const QString viewingDuplicates = QStringLiteral("Viewing:  Duplicate Records");
const QString importDepartment = QStringLiteral("Import Department");
const QString importEmployee = QStringLiteral("Import Employee");

// The stored filter in Qt's form; the file dialog reads "*.*" as every name, dot or none.
const QString openFilter = QStringLiteral("Text Files (*.txt);;All Files (*.*)");

QLineEdit* counterEdit(const char* name, QWidget* parent)
{
    auto* const edit = component<QLineEdit>(name, parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QLabel* navyLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* const label = component<QLabel>(name, text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    label->setPalette(palette);
    return label;
}

QString workFileName(const QString& workName)
{
    QString name = workName;
    name.remove(u'\\');
    return name;
}

// Copies a file by way of a temporary file beside the target, renamed over it at the end, so that the target is
// either the old file or a whole copy.
void copyReplacing(const QString& from, const QString& to)
{
    db::FileReplacement replacement(to);
    if (!QFile::copy(from, replacement.buildingPath())) {
        throw db::EngineError(
            QStringLiteral("Cannot copy %1 to %2").arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
    }
    if (!replacement.replaceTarget())
        throw db::EngineError(QStringLiteral("Cannot replace %1").arg(QDir::toNativeSeparators(to)));
}

} // namespace

TfrmImportAscii::Layout TfrmImportAscii::layoutFor(RecordKind kind, int itemIndex)
{
    const bool fixed = itemIndex == 1;
    if (kind == RecordKind::Department) {
        return fixed ? Layout { QStringLiteral("Select a fixed width ASCII file for a department record"),
            DirectoryDatabase::DepartmentFixedWorkName, importDepartment }
                     : Layout { QStringLiteral("Select a delimited ASCII file for a department record"),
                           DirectoryDatabase::DepartmentDelimitedWorkName, importDepartment };
    }
    return fixed ? Layout { QStringLiteral("Select a fixed width ASCII file for an employee record"),
        DirectoryDatabase::EmployeeFixedWorkName, importEmployee }
                 : Layout { QStringLiteral("Select a delimited ASCII file for an employee record"),
                       DirectoryDatabase::EmployeeDelimitedWorkName, importEmployee };
}

TfrmImportAscii::TfrmImportAscii(TfrmDataMod& dataModule, const QString& programFolder, QWidget* owner)
    : QDialog(owner)
    , DBGrid1(component<ui::DBGrid>("DBGrid1", this))
    , EditImportRecord(counterEdit("EditImportRecord", this))
    , EditBadRecord(counterEdit("EditBadRecord", this))
    , Label1(navyLabel("Label1", QStringLiteral("Records be Imported:"), this))
    , Label2(navyLabel("Label2", QStringLiteral("Bad Records:"), this))
    , RadioGroup1(component<QGroupBox>("RadioGroup1", QStringLiteral("Original Data Type"), this))
    , Bevel1(component<ui::Bevel>("Bevel1", this))
    , Panel1(component<QFrame>("Panel1", this))
    , DBNavigator1(component<ui::DBNavigator>("DBNavigator1", Panel1))
    , SrcDestTable(component<db::DataSource>("SrcDestTable", this))
    , Label3(navyLabel("Label3", QStringLiteral("Duplicate Records:"), this))
    , EditDuplicate(counterEdit("EditDuplicate", this))
    , EditStatus(counterEdit("EditStatus", Panel1))
    , btnDepartment(component<QPushButton>("btnDepartment", QStringLiteral("Preview Department"), this))
    , btnEmployee(component<QPushButton>("btnEmployee", QStringLiteral("Preview Employee"), this))
    , btnUpdate(component<QPushButton>("btnUpdate", QStringLiteral("Import"), this))
    , btnDuplicate(component<QPushButton>("btnDuplicate", QStringLiteral("View Duplicate Record"), this))
    , btnClose(component<QPushButton>("btnClose", QStringLiteral("Close"), this))
    , Memo1(component<QPlainTextEdit>("Memo1", this))
    , m_dataModule(dataModule)
    , m_programFolder(programFolder)
    , m_openDialogTitle(QStringLiteral("Import ASCII File"))
    , m_commaDelimited(component<QRadioButton>("RadioGroup1Item0", QStringLiteral("Comma Delimited"), RadioGroup1))
    , m_fixedWidth(component<QRadioButton>("RadioGroup1Item1", QStringLiteral("Fixed Width"), RadioGroup1))
    , m_items(new QButtonGroup(RadioGroup1))
{
    setObjectName(QStringLiteral("frmImportAscii"));
    buildDesign();
    ui::guarded([this] { FormCreate(); });
}

TfrmImportAscii::~TfrmImportAscii()
{
    // The grid and the navigator must not outlive their link to the data module's table as it closes.
    SrcDestTable->setDataSet(nullptr);
}

void TfrmImportAscii::buildDesign()
{
    setWindowTitle(QStringLiteral("Import ASCII File"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(formSize);
    if (const QScreen* const screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Panel1->setGeometry(0, 0, formSize.width(), 33);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    SrcDestTable->setDataSet(m_dataModule.DestTable);
    SrcDestTable->setAutoEdit(true);
    DBNavigator1->setDataSource(SrcDestTable);
    DBNavigator1->setVisibleButtons(navigatorButtons::allButRefresh);
    DBNavigator1->setGeometry(6, 4, 240, 25);
    EditStatus->setGeometry(262, 6, 200, 21);
    EditStatus->setText(viewingImport);
    EditStatus->setFont(QFont(QStringLiteral("Arial"), 8, QFont::Bold));
    EditStatus->setStyleSheet(QStringLiteral("QLineEdit { color: red; }"));
    EditStatus->hide();

    Bevel1->setGeometry(4, 37, formSize.width() - 8, 292);
    DBGrid1->setDataSource(SrcDestTable);
    DBGrid1->setOptions(ui::DBGrid::Option::Editing | ui::DBGrid::Option::Titles | ui::DBGrid::Option::ColLines
        | ui::DBGrid::Option::RowLines | ui::DBGrid::Option::ConfirmDelete | ui::DBGrid::Option::CancelOnExit);
    DBGrid1->setGeometry(10, 42, formSize.width() - 20, 186);

    Memo1->setGeometry(10, 236, 208, 86);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setPlainText(QStringLiteral("1.  Select Original Data Type\n2.  Press Preview Dapartment or Employee\n"
                                       "3.  Select an ASCII file\n4.  Press Import "));

    RadioGroup1->setGeometry(228, 236, 150, 78);
    m_commaDelimited->setGeometry(12, 24, 130, 20);
    m_fixedWidth->setGeometry(12, 48, 130, 20);
    m_items->addButton(m_commaDelimited, 0);
    m_items->addButton(m_fixedWidth, 1);
    m_commaDelimited->setChecked(true);

    buildCounters();
    buildButtons();
}

void TfrmImportAscii::buildCounters()
{
    Label1->setGeometry(392, 236, 110, 16);
    EditImportRecord->setGeometry(392, 254, 100, 21);
    Label3->setGeometry(504, 236, 104, 16);
    EditDuplicate->setGeometry(504, 254, 100, 21);
    Label2->setGeometry(392, 280, 110, 16);
    EditBadRecord->setGeometry(392, 298, 100, 21);
}

void TfrmImportAscii::buildButtons()
{
    constexpr int top = 340;
    constexpr int width = 108;
    constexpr int gap = 8;
    int left = 10;
    for (QPushButton* const button : { btnDepartment, btnEmployee, btnUpdate, btnDuplicate, btnClose }) {
        const int buttonWidth = button == btnDuplicate ? width + 24 : width; // the longest caption
        button->setGeometry(left, top, buttonWidth, 25);
        button->setAutoDefault(false);
        left += buttonWidth + gap;
    }
    btnUpdate->setEnabled(false);
    btnDuplicate->setEnabled(false);

    setTabOrder(btnDepartment, btnEmployee);
    setTabOrder(btnEmployee, btnUpdate);
    setTabOrder(btnUpdate, btnDuplicate);
    setTabOrder(btnDuplicate, btnClose);
    setTabOrder(btnClose, m_commaDelimited);
    setTabOrder(m_commaDelimited, m_fixedWidth);
    setTabOrder(m_fixedWidth, DBGrid1);
    btnDepartment->setFocus();

    ui::connectGuarded(btnDepartment, &QPushButton::clicked, this, &TfrmImportAscii::btnDepartmentClick);
    ui::connectGuarded(btnEmployee, &QPushButton::clicked, this, &TfrmImportAscii::btnEmployeeClick);
    ui::connectGuarded(btnUpdate, &QPushButton::clicked, this, &TfrmImportAscii::btnUpdateClick);
    ui::connectGuarded(btnDuplicate, &QPushButton::clicked, this, &TfrmImportAscii::btnDuplicateClick);
    ui::connectGuarded(btnClose, &QPushButton::clicked, this, &TfrmImportAscii::btnCloseClick);
}

int TfrmImportAscii::RadioGroup1ItemIndex() const
{
    return m_items->checkedId();
}

void TfrmImportAscii::setRadioGroup1ItemIndex(int index)
{
    if (QAbstractButton* const button = m_items->button(index))
        button->setChecked(true);
}

void TfrmImportAscii::FormCreate()
{
    db::Session::defaultSession().AddPassword(DirectoryDatabase::TablePassword);
}

void TfrmImportAscii::btnDepartmentClick()
{
    preview(RecordKind::Department);
}

void TfrmImportAscii::btnEmployeeClick()
{
    preview(RecordKind::Employee);
}

void TfrmImportAscii::preview(RecordKind kind)
{
    const Layout layout = layoutFor(kind, RadioGroup1ItemIndex());
    m_openDialogTitle = layout.openTitle;
    PreviewAsciiFile(layout.workName);
    SrcDestTable->setEnabled(true);
    if (!EditImportRecord->text().isEmpty()) {
        btnUpdate->setText(layout.importCaption);
        btnUpdate->setEnabled(true);
        ImportPending = true;
        EditStatus->setText(viewingImport);
        EditStatus->show();
    } else {
        btnUpdate->setText(QStringLiteral("Import"));
        btnUpdate->setEnabled(false);
        EditStatus->hide();
    }
}

void TfrmImportAscii::PreviewAsciiFile(const QString& workName)
{
    const QString chosen = OpenDialog1.getOpenFileName(this, { m_openDialogTitle, QString(), openFilter, {}, {} });
    if (chosen.isEmpty()) {
        EditImportRecord->clear();
        EditBadRecord->clear();
        EditDuplicate->clear();
        return;
    }
    previewInto(chosen, workName);
}

// The text driver reads a copy of the chosen file, under the work name beside its schema file, in a private
// folder that goes with all it holds when the preview ends, also when it fails: the user's own file is only read.
void TfrmImportAscii::previewInto(const QString& chosenFile, const QString& workName)
{
    const QString schema = schemaFileFor(workName);
    removeAbandonedWork();
    const ImportWorkFolder work(chosenFile, workFileName(workName), schema);
    const QString& workPath = work.workPath();

    db::Table& sourceTable = *m_dataModule.SourceTable;
    db::Table& destTable = *m_dataModule.DestTable;
    sourceTable.Close();
    sourceTable.setTableType(db::Table::Type::Ascii);
    sourceTable.setTableName(workPath);
    const bool showingPreview = destTable.Active() && SrcDestTable->DataSet() == &destTable;
    destTable.Close();
    destTable.setTableName(DirectoryDatabase::DestTable);
    db::BatchMove& move = *m_dataModule.BatchMove1;
    move.setMode(db::BatchMove::Mode::Copy);
    try {
        const ui::BusyCursor busy;
        move.Execute();
    } catch (const db::EngineError& error) {
        // A preview that fails leaves the earlier preview table as it was, and the grid shows it again.
        if (showingPreview)
            ui::guarded([&destTable] { destTable.Open(); });
        // The message names the files the user chose and keeps, not the copies that were read.
        throw db::EngineError(work.toUserPaths(error.message()), error.sqliteCode(), error.table(), error.statement());
    }
    EditImportRecord->setText(QString::number(move.MovedCount()));
    EditBadRecord->setText(QString::number(move.ProblemCount()));
    EditBadRecord->setToolTip(move.ProblemCount() > 0
            ? QStringLiteral("Records that were not moved, the first of them at %1")
                  .arg(work.toUserPaths(move.FirstProblem()))
            : QString());
    EditDuplicate->clear();
    SrcDestTable->setDataSet(&destTable);
    destTable.Open();
}

// The schema files ship beside the program; a directory set up elsewhere keeps them in its database folder.
QString TfrmImportAscii::schemaFileFor(const QString& workName) const
{
    const QString fileName = QFileInfo(workFileName(workName)).completeBaseName() + QStringLiteral(".SCH");
    const QString databaseFolder = db::Session::defaultSession().aliasFolder(DirectoryDatabase::Alias);
    for (const QString& folder : { m_programFolder, databaseFolder }) {
        const QDir dir(folder);
        if (folder.isEmpty() || !dir.exists())
            continue;
        for (const QString& entry : dir.entryList(QDir::Files)) {
            if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
        }
    }
    throw db::EngineError(
        QStringLiteral("Cannot find the schema file %1 in %2 or in %3")
            .arg(fileName, QDir::toNativeSeparators(m_programFolder), QDir::toNativeSeparators(databaseFolder)));
}

void TfrmImportAscii::removeAbandonedWork()
{
    ImportWorkFolder::removeAbandoned();
    try {
        const db::Session& session = db::Session::defaultSession();
        for (const QLatin1StringView table :
            { DirectoryDatabase::DestTable, DirectoryDatabase::DupTable, DirectoryDatabase::TempTable }) {
            db::FileReplacement::removeAbandoned(session.tableFile(DirectoryDatabase::Alias, table));
        }
    } catch (const db::EngineError&) {
        // A database folder that cannot be reached is reported when the tables open.
    }
}

void TfrmImportAscii::btnUpdateClick()
{
    const QString caption = btnUpdate->text();
    const QString destination = caption == importDepartment ? QString(DirectoryDatabase::DepartmentImportTable)
        : caption == importEmployee                         ? QString(DirectoryDatabase::EmployeeImportTable)
                                                            : QString();
    if (destination.isEmpty())
        return; // no preview names a destination yet
    db::Table& sourceTable = *m_dataModule.SourceTable;
    db::Table& destTable = *m_dataModule.DestTable;
    // A correction still open in the grid is part of what is imported.
    if (m_dataModule.TblDupTable->Active())
        m_dataModule.TblDupTable->CheckBrowseMode();
    sourceTable.Close();
    sourceTable.setTableType(db::Table::Type::Default);
    destTable.Close();
    db::BatchMove& move = *m_dataModule.BatchMove1;
    move.setMode(db::BatchMove::Mode::Append);
    sourceTable.setTableName(EditStatus->text() == viewingImport ? QString(DirectoryDatabase::DestTable)
                                                                 : QString(DirectoryDatabase::TempTable));
    destTable.setTableName(destination);
    {
        const ui::BusyCursor busy;
        move.Execute();
    }
    sourceTable.Close();
    destTable.Close();

    ImportPending = false;
    SrcDestTable->setEnabled(true);
    EditImportRecord->clear();
    showImportResult(move.KeyViolCount());
}

void TfrmImportAscii::showImportResult(qint64 refused)
{
    EditDuplicate->setText(QString::number(refused));
    if (refused != 0) {
        modal::ModalPoint::message(QStringLiteral("There are %1 duplicate records(s).\t\r"
                                                  "Please press the View Duplication Record button to view duplicate "
                                                  "record(s).")
                                       .arg(refused),
            modal::MessageKind::Information, modal::MessageButton::OK, this);
        btnDuplicate->setEnabled(true);
        return;
    }
    modal::ModalPoint::message(QStringLiteral("All records have been imported."), modal::MessageKind::Information,
        modal::MessageButton::OK, this);
    SrcDestTable->setEnabled(false);
    EditDuplicate->clear();
    btnDuplicate->setEnabled(false);
    btnUpdate->setEnabled(false);
    EditStatus->hide();
}

void TfrmImportAscii::btnDuplicateClick()
{
    db::Table& duplicates = *m_dataModule.TblDupTable;
    duplicates.Close();
    // The key-violation table and its copy both live in the database folder, where the tables are opened.
    const db::Session& session = db::Session::defaultSession();
    const QString keyViolations = session.tableFile(DirectoryDatabase::Alias, DirectoryDatabase::DupTable);
    const QString copy = session.tableFile(DirectoryDatabase::Alias, DirectoryDatabase::TempTable);
    copyReplacing(keyViolations, copy);
    SrcDestTable->setDataSet(&duplicates);
    duplicates.Open();
    EditImportRecord->setText(EditDuplicate->text());
    EditStatus->setText(viewingDuplicates);
}

void TfrmImportAscii::btnCloseClick()
{
    close();
}

bool TfrmImportAscii::FormCloseQuery()
{
    if (!ImportPending)
        return true;
    const modal::MessageButton answer
        = modal::ModalPoint::message(QStringLiteral("Data has not been import to department or employee record yet.\t\r"
                                                    "Do you want to import the data first before exit?"),
            modal::MessageKind::Information, modal::MessageButton::Yes | modal::MessageButton::No, this);
    return answer != modal::MessageButton::Yes;
}

void TfrmImportAscii::FormClose()
{
    m_dataModule.DestTable->Close();
    ImportPending = false;
}

void TfrmImportAscii::done(int result)
{
    // The close box, Esc and the Close button all end here: the close query decides, then the form closes.
    bool closes = false;
    ui::guarded([&] { closes = FormCloseQuery(); });
    if (!closes)
        return;
    ui::guarded([this] { FormClose(); });
    QDialog::done(result);
}
