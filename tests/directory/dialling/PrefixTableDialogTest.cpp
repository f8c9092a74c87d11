#include "MainWindowFixture.h"
#include "SqliteShell.h"

#include "common/DirectoryDatabase.h"
#include "directory/TFrmSpecial.h"
#include "platform/db/Table.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBNavigator.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace {

using Button = ui::DBNavigator::Button;

class SpecialNumberDialogTest : public MainWindowFixture
{
protected:
    // The dialog over the main window, shown and active.
    TFrmSpecial& open()
    {
        m_dialog = std::make_unique<TFrmSpecial>(data(), &window());
        EXPECT_TRUE(activateSoon(*m_dialog));
        return *m_dialog;
    }

    void press(Button button) { QTest::mouseClick(m_dialog->DBNavigator1->button(button), Qt::LeftButton); }

    // Inserts a row and types its two cells, starting with a click on the new row's Number cell.
    void insertRow(const QString& number, const QString& description)
    {
        press(Button::Insert);
        ui::DBGrid* const grid = m_dialog->DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(grid->currentRow(), 0).center());
        QTest::keyClicks(grid, number);
        QTest::keyClick(grid, Qt::Key_Tab);
        QTest::keyClicks(grid, description);
    }

    // The numbers stored in Special.db, read afresh.
    static QStringList stored()
    {
        db::Table table;
        table.setDatabaseName(DirectoryDatabase::Alias);
        table.setTableName(DirectoryDatabase::SpecialTable);
        table.Open();
        QStringList numbers;
        for (; !table.Eof(); table.Next())
            numbers.append(table.FieldByName(QStringLiteral("Number")).AsString());
        return numbers;
    }

    std::unique_ptr<TFrmSpecial> m_dialog;
};

TEST_F(SpecialNumberDialogTest, EditsTheTableInPlaceLeavingThePrefixAndOKPostsTheRowBeingTyped)
{
    TfrmMain& main = start();
    main.DBLookupComboBox1->setKeyValue(QStringLiteral("9"));
    main.DBLookupComboBox1CloseUp();
    TFrmSpecial& dialog = open();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Special Number"));
    EXPECT_TRUE(dialog.OKBtn->isDefault());
    EXPECT_EQ(dialog.DBNavigator1->VisibleButtons(), 511) << "every button but Refresh";
    EXPECT_EQ(dialog.DBGrid1->columnTitle(0) + u'|' + dialog.DBGrid1->columnTitle(1), "Number|Description");

    insertRow(QStringLiteral("8"), QStringLiteral("Operator"));
    press(Button::Post);
    EXPECT_EQ(stored(), (QStringList { "9", "1", "*70", "*67", "8" }));
    EXPECT_EQ(main.DBLookupComboBox1->model()->rowCount(), 5) << "the chooser lists the table as it is";

    // Changing and deleting the row of the prefix in force leaves the prefix.
    ui::DBGrid* const grid = dialog.DBGrid1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(0, 0).center());
    ASSERT_EQ(grid->cellText(0, 0), QStringLiteral("9"));
    QTest::keyClick(grid, Qt::Key_F2);
    grid->editor()->selectAll();
    QTest::keyClicks(grid->editor(), QStringLiteral("99"));
    press(Button::Post);
    EXPECT_EQ(stored().value(0), QStringLiteral("99"));
    EXPECT_TRUE(main.DBLookupComboBox1->currentText().isEmpty());
    press(Button::Delete); // "Delete record?" is answered OK
    EXPECT_FALSE(stored().contains(QStringLiteral("99")));
    EXPECT_EQ(main.SpecialPrefix, QStringLiteral("9"));

    insertRow(QStringLiteral("7"), QStringLiteral("Paging"));
    QTest::keyClick(dialog.OKBtn, Qt::Key_Escape);
    ASSERT_TRUE(dialog.isVisible()) << "Esc closes nothing";
    QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(stored().contains(QStringLiteral("7")));
    EXPECT_EQ(m_modal.messageTexts(), QStringList { QStringLiteral("Delete record?") });
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(m_environment.savedPrefix(), QStringLiteral("9"));
}

TEST_F(SpecialNumberDialogTest, RefusedPostKeepsTheRowInEditWithTheUsersChanges)
{
    start();
    TFrmSpecial& dialog = open();
    insertRow(QStringLiteral("6"), QStringLiteral("Night line"));

    SqliteShell writer(m_environment.tablePath(DirectoryDatabase::SpecialTable));
    ASSERT_TRUE(writer.execute("BEGIN IMMEDIATE"));

    QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
    ASSERT_EQ(m_modal.messages().size(), 1);
    EXPECT_EQ(m_modal.messages().first().kind, modal::MessageKind::Error);
    EXPECT_TRUE(m_modal.messages().first().text.contains(QStringLiteral("Special.db")));
    EXPECT_TRUE(dialog.isVisible());
    const db::Table& specials = *data().TblSpecial;
    EXPECT_EQ(specials.State(), db::DataSetState::Insert);
    EXPECT_EQ(specials.FieldByName(QStringLiteral("Number")).AsString(), QStringLiteral("6"));
    EXPECT_EQ(specials.FieldByName(QStringLiteral("Description")).AsString(), QStringLiteral("Night line"));

    ASSERT_TRUE(writer.execute("ROLLBACK"));
    press(Button::Post);
    EXPECT_TRUE(stored().contains(QStringLiteral("6")));
}

TEST_F(SpecialNumberDialogTest, MenuCommandOpensTheEditorOnlyWithEditPermission)
{
    TfrmMain& main = start();
    main.SpecialNumber1->trigger(); // the password dialog is cancelled
    EXPECT_FALSE(m_modal.dialogTitles().contains(QStringLiteral("Special Number")));

    nextDialog<TPasswordDlg>([](TPasswordDlg& password) {
        QTest::keyClicks(password.EdEnterPassword, QStringLiteral("DIRECTORY"));
        QTest::mouseClick(password.OKBtn, Qt::LeftButton);
    });
    nextDialog<TFrmSpecial>([](TFrmSpecial& special) { QTest::mouseClick(special.OKBtn, Qt::LeftButton); });
    main.SpecialNumber1->trigger();
    EXPECT_TRUE(m_modal.dialogTitles().contains(QStringLiteral("Special Number")));
    EXPECT_EQ(m_modal.pendingDrivers(), 0);
}

} // namespace
