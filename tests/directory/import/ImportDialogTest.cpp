#include "ImportFixture.h"
#include "SqliteShell.h"

#include "platform/ui/DBGrid.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

const QString viewingImport = QStringLiteral("Viewing:  Import Records");
const QString viewingDuplicates = QStringLiteral("Viewing:  Duplicate Records");
const QString allImported = QStringLiteral("All records have been imported.");
const QString closeQuestion = QStringLiteral("Data has not been import to department or employee record yet.\t\r"
                                             "Do you want to import the data first before exit?");

QString duplicatesMessage(int count)
{
    return QStringLiteral("There are %1 duplicate records(s).\t\rPlease press the View Duplication Record button to "
                          "view duplicate record(s).")
        .arg(count);
}

using ImportDialogTest = ImportFixture;

TEST_F(ImportDialogTest, OpensWithNothingToImport)
{
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("Import ASCII File"));
    EXPECT_EQ(dialog().size(), QSize(616, 375));
    EXPECT_EQ(dialog().btnUpdate->text(), QStringLiteral("Import"));
    EXPECT_FALSE(dialog().btnUpdate->isEnabled());
    EXPECT_FALSE(dialog().btnDuplicate->isEnabled());
    EXPECT_TRUE(dialog().EditStatus->isHidden());
    EXPECT_EQ(dialog().EditStatus->text(), viewingImport);
    EXPECT_EQ(dialog().RadioGroup1ItemIndex(), 0);
    EXPECT_FALSE(dialog().ImportPending);
    EXPECT_EQ(dialog().focusWidget(), dialog().btnDepartment);
    EXPECT_EQ(dialog().btnDepartment->nextInFocusChain(), dialog().btnEmployee);
    for (QLineEdit* edit : { dialog().EditImportRecord, dialog().EditBadRecord, dialog().EditDuplicate })
        EXPECT_TRUE(edit->text().isEmpty());
    dialog().close();
    EXPECT_TRUE(m_modal.messages().isEmpty()) << "nothing to ask without a preview";
}

// The four layouts with the set-up tool's sample files: the open dialog's title, the Import caption, the counts
// and the records as the text holds them.
TEST_F(ImportDialogTest, FourLayoutsPreviewAndImportTheSampleFiles)
{
    struct Case
    {
        Kind kind;
        int item;
        const char* file;
        const char* title;
        const char* caption;
        int records;
        int refused;
    };
    const Case cases[] = {
        { Kind::Department, 0, "departments-comma.txt", "Select a delimited ASCII file for a department record",
            "Import Department", 4, 1 },
        { Kind::Department, 1, "departments-fixed.txt", "Select a fixed width ASCII file for a department record",
            "Import Department", 3, 1 },
        { Kind::Employee, 0, "employees-comma.txt", "Select a delimited ASCII file for an employee record",
            "Import Employee", 5, 2 },
        { Kind::Employee, 1, "employees-fixed.txt", "Select a fixed width ASCII file for an employee record",
            "Import Employee", 3, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QLatin1StringView table
            = c.kind == Kind::Department ? DirectoryDatabase::DepartmentTable : DirectoryDatabase::EmployeeTable;
        const qint64 before = rowCount(table);
        preview(c.kind, c.item, sample(c.file));
        EXPECT_EQ(dialog().OpenDialog1Title(), QLatin1String(c.title));
        EXPECT_EQ(dialog().EditImportRecord->text(), QString::number(c.records));
        EXPECT_EQ(dialog().EditBadRecord->text(), QStringLiteral("0"));
        EXPECT_EQ(dialog().btnUpdate->text(), QLatin1String(c.caption));
        EXPECT_TRUE(dialog().btnUpdate->isEnabled());
        EXPECT_TRUE(dialog().EditStatus->isVisible());
        EXPECT_TRUE(dialog().ImportPending);
        EXPECT_EQ(dialog().DBGrid1->rowCount(), c.records);
        EXPECT_EQ(rowCount(DirectoryDatabase::DestTable), c.records);

        import();
        EXPECT_EQ(rowCount(table), before + c.records - c.refused);
        EXPECT_EQ(dialog().EditDuplicate->text(), QString::number(c.refused));
        EXPECT_EQ(lastMessage(), duplicatesMessage(c.refused));
        EXPECT_FALSE(dialog().ImportPending);
        EXPECT_TRUE(dialog().EditImportRecord->text().isEmpty());
    }
    // Names with letters beyond ASCII, and quotes inside a quoted value, arrive as written.
    EXPECT_TRUE(names(DirectoryDatabase::EmployeeTable).contains(QStringLiteral("PE\u00D1A, LUC\u00CDA")));
    EXPECT_TRUE(
        names(DirectoryDatabase::DepartmentTable, "Department").contains(QStringLiteral("RESEARCH \"BLUE SKY\" LAB")));
}

TEST_F(ImportDialogTest, CancelledChoiceAfterAPreviewResetsImportButKeepsTheGridAndTheQuestion)
{
    preview(Kind::Employee, 0, sample("employees-comma.txt"));
    preview(Kind::Employee, 0, QString());
    for (QLineEdit* edit : { dialog().EditImportRecord, dialog().EditBadRecord, dialog().EditDuplicate })
        EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(dialog().btnUpdate->text(), QStringLiteral("Import"));
    EXPECT_FALSE(dialog().btnUpdate->isEnabled());
    EXPECT_TRUE(dialog().EditStatus->isHidden());
    EXPECT_EQ(dialog().DBGrid1->rowCount(), 5) << "the grid still shows the earlier preview";
    EXPECT_TRUE(dialog().ImportPending);

    m_modal.answer(modal::MessageButton::No);
    dialog().btnClose->click();
    EXPECT_EQ(lastMessage(), closeQuestion);
    EXPECT_FALSE(dialog().isVisible());
}

// After an import that refused records, whether they were viewed or not, leaving the open dialog with Esc empties all
// three counters: no count of the earlier import stays under "Duplicate Records:".
TEST_F(ImportDialogTest, ChoiceCancelledInTheOpenDialogAfterRefusalsEmptiesTheCounters)
{
    for (const bool viewed : { false, true }) {
        SCOPED_TRACE(viewed ? "refused records viewed" : "refused records not viewed");
        preview(Kind::Employee, 0, sample("employees-comma.txt"));
        import();
        ASSERT_FALSE(dialog().EditDuplicate->text().isEmpty());
        if (viewed)
            click(dialog().btnDuplicate);
        bool shown = false;
        m_modal.driveFileDialog([&shown](QFileDialog& files) {
            shown = true;
            QTest::keyClick(files.focusWidget() ? files.focusWidget() : &files, Qt::Key_Escape);
        });
        click(dialog().btnEmployee);
        EXPECT_TRUE(shown);
        for (QLineEdit* edit : { dialog().EditImportRecord, dialog().EditBadRecord, dialog().EditDuplicate })
            EXPECT_EQ(edit->text(), QString()) << edit->objectName().toStdString();
        EXPECT_FALSE(dialog().btnUpdate->isEnabled());
        EXPECT_TRUE(dialog().EditStatus->isHidden());
    }
}

TEST_F(ImportDialogTest, EmptyFilePreviewsNoRecordsAndStillOffersImport)
{
    for (const QByteArray& content : { QByteArray(), QByteArray("\r\n\n  \r\n") }) {
        preview(Kind::Department, 0, writeFile(QStringLiteral("empty.txt"), content));
        EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("0"));
        EXPECT_EQ(dialog().EditBadRecord->text(), QStringLiteral("0"));
        EXPECT_TRUE(dialog().btnUpdate->isEnabled());
    }
    const qint64 before = rowCount(DirectoryDatabase::DepartmentTable);
    import();
    EXPECT_EQ(lastMessage(), allImported);
    EXPECT_EQ(rowCount(DirectoryDatabase::DepartmentTable), before);
}

TEST_F(ImportDialogTest, AllNewKeysAreImportedAndTheDialogComesToRest)
{
    const QString file = writeFile(QStringLiteral("new.txt"),
        "\"NEWDEPT\",\"ADAMS, ALICE\",\"1\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"NEWDEPT\",\"BAKER, BEN\",\"2\",\"\",\"\",\"\",\"\",\"\"\r\n");
    const qint64 before = rowCount(DirectoryDatabase::EmployeeTable);
    preview(Kind::Employee, 0, file);
    import();
    EXPECT_EQ(lastMessage(), allImported);
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before + 2);
    EXPECT_FALSE(dialog().SrcDestTable->Enabled());
    EXPECT_FALSE(dialog().btnUpdate->isEnabled());
    EXPECT_FALSE(dialog().btnDuplicate->isEnabled());
    EXPECT_TRUE(dialog().EditStatus->isHidden());
    EXPECT_TRUE(dialog().EditDuplicate->text().isEmpty());
    EXPECT_EQ(dialog().DBGrid1->rowCount(), 0);
    m_modal.clear();
    dialog().close();
    EXPECT_TRUE(m_modal.messages().isEmpty());
    EXPECT_FALSE(dialog().isVisible());
}

// Three employees, one of them already in the directory: two are added, the third is shown, corrected and
// imported in its turn.
TEST_F(ImportDialogTest, RefusedEmployeeIsViewedCorrectedAndImportedAgain)
{
    const QString file = writeFile(QStringLiteral("three.txt"),
        "\"ACCOUNTING\",\"GRUBER, ANNA\",\"4103\",\"\",\"\",\"\",\"\",\"\"\n"
        "\"ACCOUNTING\",\"ZIMMER, PAUL\",\"4110\",\"\",\"\",\"\",\"\",\"\"\n"
        "\"SALES\",\"YATES, JOAN\",\"4711\",\"\",\"\",\"\",\"\",\"\"\n");
    const qint64 before = rowCount(DirectoryDatabase::EmployeeTable);
    preview(Kind::Employee, 0, file);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("3"));
    import();
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before + 2);
    EXPECT_EQ(dialog().EditDuplicate->text(), QStringLiteral("1"));
    EXPECT_EQ(lastMessage(), duplicatesMessage(1));
    EXPECT_TRUE(dialog().btnDuplicate->isEnabled());
    EXPECT_TRUE(dialog().btnUpdate->isEnabled());
    EXPECT_EQ(dialog().EditStatus->text(), viewingImport);

    click(dialog().btnDuplicate);
    EXPECT_EQ(dialog().EditStatus->text(), viewingDuplicates);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog().DBGrid1->rowCount(), 1);
    EXPECT_EQ(dialog().SrcDestTable->DataSet(), m_data.TblDupTable);
    EXPECT_TRUE(QFileInfo::exists(QDir(m_environment.databaseFolder()).filePath(QStringLiteral("TempTable.db"))));

    // The correction, as the grid would post it: a new key for the refused record.
    db::DataSet& refused = *m_data.TblDupTable;
    refused.Edit();
    refused.FieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("GRUBER, ANNA MARIA"));
    import();
    EXPECT_EQ(lastMessage(), allImported);
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before + 3);
    EXPECT_TRUE(names(DirectoryDatabase::EmployeeTable).contains(QStringLiteral("GRUBER, ANNA MARIA")));
}

// A file that brings more employees than the directory holds, two of them already there and one twice: the others
// are added, and the three refused are viewed in the order of the file.
TEST_F(ImportDialogTest, ManyEmployeesAreAddedAndTheRefusedViewedInTheFilesOrder)
{
    const qint64 before = rowCount(DirectoryDatabase::EmployeeTable);
    const auto record = [](const char* department, const QString& name, int extension) {
        return QStringLiteral("\"%1\",\"%2\",\"%3\",\"\",\"\",\"\",\"\",\"\"\n")
            .arg(QLatin1String(department), name)
            .arg(extension)
            .toUtf8();
    };
    QByteArray lines;
    QStringList refused;
    const int count = static_cast<int>(before) * 2;
    for (int i = 0; i < count; ++i) {
        if (i == 3 || i == count - 2) {
            lines += record("ACCOUNTING", QStringLiteral("GRUBER, ANNA"), i);
            refused << QStringLiteral("GRUBER, ANNA");
        } else if (i == count / 2) {
            lines += record("SALES", QStringLiteral("NEW, NUMBER 1"), i);
            refused << QStringLiteral("NEW, NUMBER 1");
        } else {
            lines += record("SALES", QStringLiteral("NEW, NUMBER %1").arg(i), i);
        }
    }
    preview(Kind::Employee, 0, writeFile(QStringLiteral("many.txt"), lines));
    import();
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before + count - 3);
    EXPECT_EQ(dialog().EditDuplicate->text(), QStringLiteral("3"));
    EXPECT_EQ(lastMessage(), duplicatesMessage(3));

    click(dialog().btnDuplicate);
    EXPECT_EQ(names(DirectoryDatabase::TempTable), refused);
    EXPECT_EQ(names(DirectoryDatabase::TempTable, "Extension"),
        (QStringList { "3", QString::number(count / 2), QString::number(count - 2) }));
}

TEST_F(ImportDialogTest, ImportTwiceAppendsThePreviewAgain)
{
    preview(Kind::Employee, 0, sample("employees-comma.txt"));
    const qint64 before = rowCount(DirectoryDatabase::EmployeeTable);
    import();
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before + 3);
    EXPECT_EQ(dialog().EditDuplicate->text(), QStringLiteral("2"));
    import();
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before + 3);
    EXPECT_EQ(dialog().EditDuplicate->text(), QStringLiteral("5")) << "every record is there by now";
    EXPECT_EQ(lastMessage(), duplicatesMessage(5));
}

TEST_F(ImportDialogTest, EmployeesAfterViewingRefusedDepartmentsReadTheNewPreview)
{
    preview(Kind::Department, 0, sample("departments-comma.txt"));
    import();
    click(dialog().btnDuplicate);
    ASSERT_EQ(dialog().EditStatus->text(), viewingDuplicates);

    preview(Kind::Employee, 1, sample("employees-fixed.txt"));
    EXPECT_EQ(dialog().EditStatus->text(), viewingImport);
    EXPECT_EQ(dialog().btnUpdate->text(), QStringLiteral("Import Employee"));
    const qint64 employees = rowCount(DirectoryDatabase::EmployeeTable);
    const qint64 departments = rowCount(DirectoryDatabase::DepartmentTable);
    import();
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), employees + 2);
    EXPECT_EQ(rowCount(DirectoryDatabase::DepartmentTable), departments);
}

TEST_F(ImportDialogTest, CloseQueryYesKeepsTheDialogOpenAndNoClosesIt)
{
    preview(Kind::Department, 1, sample("departments-fixed.txt"));
    m_modal.answer(modal::MessageButton::Yes);
    dialog().close();
    EXPECT_EQ(lastMessage(), closeQuestion);
    EXPECT_EQ(m_modal.messages().constLast().buttons, modal::MessageButton::Yes | modal::MessageButton::No);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(dialog().ImportPending);

    m_modal.answer(modal::MessageButton::No);
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_FALSE(dialog().ImportPending);
    EXPECT_FALSE(m_data.DestTable->Active());
    EXPECT_TRUE(QFileInfo::exists(QDir(m_environment.databaseFolder()).filePath(QStringLiteral("DestTable.db"))));
}

// Lines the engine cannot move whole are counted as bad records and not moved; every other line arrives exactly.
TEST_F(ImportDialogTest, BadRecordsAreCountedAndNothingIsCutShort)
{
    const QByteArray good = "\"LEGAL\",\"1\",\"\",\"\",\"\"";
    struct Case
    {
        const char* what;
        QByteArray text;
        int moved;
        int bad;
    };
    const Case cases[] = {
        { "CR LF line ends", good + "\r\n\"TAX\",\"2\",\"\",\"\",\"\"\r\n", 2, 0 },
        { "LF line ends, last line without end", good + "\n\"TAX\",\"2\",\"\",\"\",\"\"", 2, 0 },
        { "a quoted value holding the separator", "\"TAX, AUDIT\",\"2, 3\",\"\",\"\",\"\"\n", 1, 0 },
        { "a value longer than its field", good + "\n\"" + QByteArray(36, 'X') + "\",\"\",\"\",\"\",\"\"\n", 1, 1 },
        { "a broken line", good + "\n\"BROKEN,\"1\",\"\"\n\"TAX\",\"2\"\n", 1, 2 },
        { "Windows-1252 bytes in a UTF-8 file", good + "\n\"CAF\xC9\",\"\",\"\",\"\",\"\"\n", 1, 1 },
        { "a control character", good + "\n\"A\x01\",\"\",\"\",\"\",\"\"\n", 1, 1 },
        { "a huge line", good + "\n" + QByteArray(3 << 20, 'A') + "\n", 1, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        preview(Kind::Department, 0, writeFile(QStringLiteral("departments.txt"), c.text));
        EXPECT_EQ(dialog().EditImportRecord->text(), QString::number(c.moved));
        EXPECT_EQ(dialog().EditBadRecord->text(), QString::number(c.bad));
        if (c.bad > 0) {
            EXPECT_TRUE(dialog().EditBadRecord->toolTip().contains(m_environment.path("departments.txt")));
        }
    }
    preview(Kind::Department, 0, writeFile(QStringLiteral("departments.txt"), "\"TAX, AUDIT\",\"2\",\"\",\"\",\"\"\n"));
    import();
    EXPECT_TRUE(names(DirectoryDatabase::DepartmentTable, "Department").contains(QStringLiteral("TAX, AUDIT")));
}

TEST_F(ImportDialogTest, FileThatIsNotTextGivesAnErrorNamingItAndKeepsTheState)
{
    preview(Kind::Employee, 0, sample("employees-comma.txt"));
    QByteArray binary;
    for (int i = 0; i < 5000; ++i)
        binary.append(static_cast<char>((i * 7919) % 256));
    const QString file = writeFile(QStringLiteral("picture.txt"), binary);
    m_modal.clear();
    preview(Kind::Department, 0, file);
    ASSERT_EQ(m_modal.messages().size(), 1);
    EXPECT_TRUE(lastMessage().contains(file)) << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("not a text file"))) << lastMessage().toStdString();
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog().btnUpdate->text(), QStringLiteral("Import Employee"));
    EXPECT_EQ(rowCount(DirectoryDatabase::DestTable), 5) << "the preview table is left as it was";
    EXPECT_EQ(dialog().DBGrid1->rowCount(), 5);
}

// An import that fails (another program holds the table) shows an error naming the table and changes nothing: not
// the table, not the counters or buttons, and the preview is still there to import.
TEST_F(ImportDialogTest, FailedImportNamesTheTableAndKeepsEverything)
{
    preview(Kind::Employee, 0, sample("employees-comma.txt"));
    ASSERT_EQ(dialog().EditImportRecord->text(), QStringLiteral("5"));
    const qint64 before = rowCount(DirectoryDatabase::EmployeeTable);
    {
        SqliteShell holder(QDir(m_environment.databaseFolder()).filePath(DirectoryDatabase::EmployeeTable));
        ASSERT_TRUE(holder.execute("BEGIN EXCLUSIVE"));
        m_modal.clear();
        import();
    }

    ASSERT_EQ(m_modal.messages().size(), 1);
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("employee.DB"), Qt::CaseInsensitive))
        << lastMessage().toStdString();
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("5"));
    EXPECT_TRUE(dialog().ImportPending);
    EXPECT_TRUE(dialog().btnUpdate->isEnabled());

    import();
    EXPECT_EQ(rowCount(DirectoryDatabase::EmployeeTable), before + 3);
    EXPECT_FALSE(dialog().ImportPending);
}

// The user's file is only read, even when it is one of the work files or a schema file, and wherever it lies; no
// work file is left anywhere, and the program's folder is not written to.
TEST_F(ImportDialogTest, WorkFilesNeverTouchTheUsersFileOrTheProgramFolder)
{
    const QDir program(m_environment.programFolder());
    ImportSchemas::writeSchemas(program.path());
    const QByteArray content = "\"OPS\",\"9\",\"\",\"\",\"\"\r\n";
    const QString workNamed = program.filePath(QStringLiteral("departcom.dll"));
    ASSERT_TRUE(::writeFile(workNamed, content));
    const QStringList programBefore = program.entryList(QDir::Files);
    const QStringList databaseBefore = QDir(m_environment.databaseFolder()).entryList(QDir::Files);

    preview(Kind::Department, 0, workNamed);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("1"));
    EXPECT_EQ(readFile(workNamed), content);
    EXPECT_EQ(program.entryList(QDir::Files), programBefore);
    import();
    EXPECT_EQ(lastMessage(), allImported);

    // A schema file chosen by mistake is read as an import file and stays as it was.
    const QString schema = program.filePath(QStringLiteral("departcom.SCH"));
    const QByteArray schemaText = readFile(schema);
    ASSERT_FALSE(schemaText.isEmpty());
    preview(Kind::Department, 0, schema);
    EXPECT_EQ(dialog().EditImportRecord->text(), QStringLiteral("0"));
    EXPECT_EQ(readFile(schema), schemaText);

    EXPECT_EQ(program.entryList(QDir::Files), programBefore);
    QStringList added = QDir(m_environment.databaseFolder()).entryList(QDir::Files);
    for (const QString& name : databaseBefore)
        added.removeAll(name);
    EXPECT_EQ(added, QStringList { QStringLiteral("DestTable.db") });
}

} // namespace
