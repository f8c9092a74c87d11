#include "ExportFixture.h"

#include "listprint/TSelectionDlg.h"
#include "listprint/TfrmSelectDelimiter.h"
#include "platform/ui/RadioGroup.h"

#include "PointerInput.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QScopeGuard>
#include <QToolButton>

#include <csignal>
#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString acceptCaption(const QFileDialog& dialog)
{
    const auto* const box = dialog.findChild<QDialogButtonBox*>();
    for (QAbstractButton* const button : box->buttons()) {
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
            return button->text();
    }
    return {};
}

// The export command as a user gives it: the delimiter dialog, then the save dialog, which starts in the documents
// folder of a home of the test's own.
class ExportCommandTest : public ExportFixture
{
protected:
    void SetUp() override
    {
        ExportFixture::SetUp();
        ASSERT_TRUE(QDir().mkpath(documents()));
    }

    QString documents() const { return path(QStringLiteral("home/Documents")); }

    // Confirms the delimiter dialog on the format it starts on, the comma format, with Enter.
    void confirmDelimiter()
    {
        m_recorder.driveDialog([](QDialog& dialog) { pressIn(dialog, Qt::Key_Return); });
    }

private:
    const ScopedEnvironmentVariable m_home { "HOME", path(QStringLiteral("home")) };
};

TEST_F(ExportCommandTest, TheDelimiterAndTheSaveDialogLeadToTheFileInTheChosenFormat)
{
    openMainWindow();
    selectList(QStringLiteral("Employee Listing"));
    int itemIndex = -1;
    QString focusedFirst;
    m_recorder.driveDialog([&](QDialog& dialog) {
        auto* const delimiter = &dynamic_cast<TfrmSelectDelimiter&>(dialog);
        itemIndex = delimiter->RadioGroup1->ItemIndex();
        EXPECT_EQ(
            delimiter->RadioGroup1->title(), QStringLiteral(" What's kind of ASCII file do you want to export to?"));
        EXPECT_EQ(delimiter->RadioGroup1->Items(), QStringList({ "Comma Delimiter", "Tab Delimiter" }));
        QWidget* const focused = focusIn(dialog);
        ASSERT_NE(focused, nullptr);
        focusedFirst = focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), delimiter->CancelBtn);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), delimiter->RadioGroup1->button(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // OK is the default button
    });
    QString title;
    QString caption;
    QString startFolder;
    bool confirmsOverwrite = true;
    QStringList fileTypes;
    m_recorder.driveFileDialog([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        caption = acceptCaption(dialog);
        if (const auto* const types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < types->count(); ++i)
                fileTypes << types->itemText(i);
        }
        startFolder = dialog.directory().absolutePath();
        confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        QWidget* const name = focusIn(dialog);
        ASSERT_NE(name, nullptr);
        QTest::keyClicks(name, QStringLiteral("staff"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTest::mouseClick(mainWindow().ToolBtnExport, Qt::LeftButton);

    const QString file = QDir(documents()).filePath(QStringLiteral("staff.txt")); // the suffix added
    EXPECT_EQ(m_recorder.dialogTitles(), QStringList { QStringLiteral("Select Delimiter") });
    EXPECT_EQ(itemIndex, 0);
    EXPECT_EQ(focusedFirst, QStringLiteral("OKBtn"));
    EXPECT_EQ(title, QStringLiteral("Export Employee Listing to an ASCII file"));
    EXPECT_EQ(caption, QStringLiteral("&Export"));
    EXPECT_EQ(fileTypes, QStringList({ "Text file (*.txt)", "Any file (*.*)" }));
    EXPECT_EQ(startFolder, documents());
    EXPECT_FALSE(confirmsOverwrite);
    EXPECT_EQ(mainWindow().ExportDelimiter(), 1);
    EXPECT_EQ(mainWindow().ExportFileName(), file);
    EXPECT_TRUE(readFile(file).startsWith("Last Name\tFirst Name\tPhone/Extension\tCellular\tPager\tDepartment\r\n"));
    EXPECT_EQ(m_recorder.messageTexts(), QStringList { "The Employee Listing has been exported into " + file });
    EXPECT_EQ(mainWindow().ReportAction(), 1);

    // The next command starts on the comma format again; Esc in the delimiter dialog ends it.
    m_recorder.clear();
    m_recorder.driveDialog([&](QDialog& dialog) {
        itemIndex = dynamic_cast<TfrmSelectDelimiter&>(dialog).RadioGroup1->ItemIndex();
        pressIn(dialog, Qt::Key_Escape);
    });
    mainWindow().ExportToAsciiFile1->trigger();
    EXPECT_EQ(itemIndex, 0);
    EXPECT_EQ(mainWindow().ExportDelimiter(), 1);

    // OK, then Cancel in the save dialog, which proposes the file chosen last: the file stays as it was.
    const QByteArray tabFile = readFile(file);
    confirmDelimiter();
    QStringList proposed;
    m_recorder.driveFileDialog([&](QFileDialog& dialog) {
        proposed = dialog.selectedFiles();
        pressIn(dialog, Qt::Key_Escape);
    });
    mainWindow().ExportToAsciiFile1->trigger();
    EXPECT_EQ(proposed, QStringList { file });
    EXPECT_EQ(mainWindow().ExportDelimiter(), 0) << "kept from the OK";
    EXPECT_EQ(readFile(file), tabFile);
    EXPECT_TRUE(m_recorder.messages().isEmpty());

    // Accepting the proposed name replaces the file without a question.
    confirmDelimiter();
    m_recorder.driveFileDialog([](QFileDialog& dialog) { pressIn(dialog, Qt::Key_Return); });
    mainWindow().ExportToAsciiFile1->trigger();
    EXPECT_TRUE(readFile(file).startsWith("\"Last Name\", \"First Name\""));
    EXPECT_EQ(m_recorder.messageTexts(), QStringList { "The Employee Listing has been exported into " + file });
}

// With the mouse alone, each click at a point of the window: the format in the frame and the buttons take it.
TEST_F(ExportCommandTest, TheDelimiterDialogTakesClicks)
{
    openMainWindow();
    selectList(QStringLiteral("Employee Listing"));
    m_recorder.driveDialog([](QDialog& dialog) {
        auto& delimiter = dynamic_cast<TfrmSelectDelimiter&>(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&delimiter));
        pointer::expectMouseReaches(delimiter, { "RadioGroup1", "OKBtn", "CancelBtn" });
        for (int item : { 1, 0, 1 }) {
            QRadioButton* const radio = delimiter.RadioGroup1->button(item);
            pointer::click(*radio, QPoint(radio->height() / 2, radio->height() / 2)); // on its round mark
            EXPECT_EQ(delimiter.RadioGroup1->ItemIndex(), item);
        }
        pointer::click(*delimiter.OKBtn);
    });
    bool asked = false;
    m_recorder.driveFileDialog([&asked](QFileDialog& dialog) {
        asked = true;
        pressIn(dialog, Qt::Key_Escape);
    });
    mainWindow().ExportToAsciiFile1->trigger();
    EXPECT_TRUE(asked) << "OK leads on to the file";
    EXPECT_EQ(mainWindow().ExportDelimiter(), 1);

    m_recorder.driveDialog([](QDialog& dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        pointer::click(*dynamic_cast<TfrmSelectDelimiter&>(dialog).CancelBtn);
    });
    mainWindow().ExportToAsciiFile1->trigger();
    EXPECT_EQ(m_recorder.dialogTitles(), QStringList({ "Select Delimiter", "Select Delimiter" }));
    EXPECT_TRUE(m_recorder.messages().isEmpty());
}

TEST_F(ExportCommandTest, ListTwoWritesEachConfirmedDepartmentOverTheOneBefore)
{
    openMainWindow();
    selectList(QStringLiteral("Employees of a Department"));
    const QString file = path(QStringLiteral("department.txt"));
    m_recorder.answerFile(file);
    confirmDelimiter();
    QString afterFirst;
    answerChooser([&](TSelectionDlg&) {
        for (int pick = 0; pick < 2; ++pick) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (pick == 0)
                afterFirst = QString::fromUtf8(readFile(file));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    mainWindow().ExportToAsciiFile1->trigger();

    EXPECT_TRUE(afterFirst.contains(QStringLiteral("\"LEE\"")));
    const QString written = QString::fromUtf8(readFile(file));
    EXPECT_FALSE(written.contains(QStringLiteral("\"LEE\"")));
    EXPECT_TRUE(written.contains(QStringLiteral("\"\u5c71\u7530\", \"\u592a\u90ce\"")));
    EXPECT_EQ(m_recorder.messageTexts(),
        QStringList({ "The ACCOUNTING department has been exported into " + file,
            "The SALES department has been exported into " + file }));
    EXPECT_EQ(mainWindow().ReportAction(), 1);
}

TEST_F(ExportCommandTest, AListNumberOutsideOneToSevenCreatesNothingAfterBothDialogs)
{
    execute(QStringLiteral("UPDATE Report SET ReportNumber = 8 WHERE ReportNumber = 5"));
    openMainWindow();
    selectList(QStringLiteral("Directors"));
    const QString file = path(QStringLiteral("directors.txt"));
    m_recorder.answerFile(file);
    confirmDelimiter();
    mainWindow().ExportToAsciiFile1->trigger();

    EXPECT_EQ(m_recorder.dialogTitles(), QStringList { QStringLiteral("Select Delimiter") });
    EXPECT_EQ(mainWindow().ExportFileName(), file);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(m_recorder.messages().isEmpty());
}

TEST_F(ExportCommandTest, ATargetThatCannotBeWrittenShowsTheErrorAndNoCompletionMessage)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("a folder.txt"))));
    // A named pipe that someone reads: a write would go through at once rather than wait.
    const QString pipe = path(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const auto closeReader = qScopeGuard([reader] { ::close(reader); });
    ASSERT_TRUE(QFile::link(pipe, path(QStringLiteral("pipe link.txt"))));
    struct Target
    {
        QString fileName;
        const char* reason;
    };
    const Target targets[] = {
        { path(QStringLiteral("missing/list.txt")), "No such file or directory" },
        { path(QStringLiteral("a folder.txt")), "it is a folder, not a plain file" },
        { pipe, "it is a named pipe, not a plain file" },
        { path(QStringLiteral("pipe link.txt")), "it is a named pipe, not a plain file" },
        { QStringLiteral("/dev/zero"), "it is a device, not a plain file" },
        { QStringLiteral("/dev/full"), "it is a device, not a plain file" },
    };
    openMainWindow();
    selectList(QStringLiteral("Employee Listing"));
    for (const Target& target : targets) {
        SCOPED_TRACE(target.fileName.toStdString());
        m_recorder.clear();
        m_recorder.answerFile(target.fileName);
        confirmDelimiter();
        mainWindow().ExportToAsciiFile1->trigger();

        ASSERT_EQ(m_recorder.messages().size(), 1);
        const modal::MessageRequest& error = m_recorder.messages().front();
        EXPECT_EQ(error.kind, modal::MessageKind::Error);
        EXPECT_TRUE(error.text.contains(target.fileName)) << error.text.toStdString();
        EXPECT_TRUE(error.text.contains(QString::fromUtf8(target.reason))) << error.text.toStdString();
        EXPECT_EQ(mainWindow().ReportAction(), 1);
        EXPECT_TRUE(mainWindow().ExportToAsciiFile1->isEnabled());
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("missing"))));
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "something was written into the pipe";
}

TEST_F(ExportCommandTest, AWriteThatFailsHalfWayKeepsTheLinesBeforeItAndShowsTheError)
{
    // A limit on the size of the files this process writes stands in for a disk that fills up: writes past it
    // fail with "File too large" instead of a signal.
    struct rlimit before = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const auto restore = qScopeGuard([&] {
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previousHandler);
    });
    openMainWindow();
    selectList(QStringLiteral("Employee Listing"));
    const QString file = path(QStringLiteral("half.txt"));
    m_recorder.answerFile(file);
    confirmDelimiter();
    struct rlimit limited = before;
    limited.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    mainWindow().ExportToAsciiFile1->trigger();
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &before), 0);

    ASSERT_EQ(m_recorder.messages().size(), 1);
    const modal::MessageRequest& error = m_recorder.messages().front();
    EXPECT_EQ(error.kind, modal::MessageKind::Error);
    EXPECT_TRUE(error.text.contains(file)) << error.text.toStdString();
    EXPECT_TRUE(error.text.contains(QStringLiteral("File too large"))) << error.text.toStdString();
    const QByteArray written = readFile(file);
    EXPECT_EQ(written.size(), 100);
    EXPECT_TRUE(written.startsWith("\"Last Name\", \"First Name\"")) << written.toStdString();
    EXPECT_EQ(mainWindow().ReportAction(), 1);
}

} // namespace
