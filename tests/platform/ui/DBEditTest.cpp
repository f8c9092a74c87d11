#include "platform/db/EngineError.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBMemo.h"
#include "platform/modal/ModalRecorder.h"

#include "PeopleFixture.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

class DBEditTest : public uitest::PeopleFixture
{
protected:
    void SetUp() override
    {
        PeopleFixture::SetUp();
        name.setDataSource(&source);
        name.setDataField("Name");
        phone.setDataSource(&source);
        phone.setDataField("Phone");
    }

    ui::DBEdit name;
    ui::DBEdit phone;
};

} // namespace

TEST_F(DBEditTest, ShowsTheCurrentRecordAndFollowsMovesAndChanges)
{
    EXPECT_EQ(name.text(), "ADAMS");
    EXPECT_EQ(phone.text(), "555-010");
    people.Next();
    EXPECT_EQ(name.text(), "BAKER");
    people.Last();
    EXPECT_EQ(name.text(), "GREEN");
    people.Edit();
    people.FieldByName("Phone").setAsString("555-999");
    EXPECT_EQ(phone.text(), "555-999");
    people.Cancel();
    EXPECT_EQ(phone.text(), "555-016");
    people.Close();
    EXPECT_EQ(name.text(), "");
    people.Open();
    EXPECT_EQ(name.text(), "ADAMS");
    source.setEnabled(false);
    EXPECT_EQ(name.text(), "");
}

TEST_F(DBEditTest, WithoutAutoEditTypingIsRefusedUntilTheDataSetEdits)
{
    source.setAutoEdit(false);
    QTest::keyClicks(&phone, "12");
    QTest::keyClick(&phone, Qt::Key_Backspace);
    QApplication::clipboard()->setText("pasted");
    QTest::keyClick(&phone, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(phone.text(), "555-010");
    EXPECT_EQ(people.State(), db::DataSetState::Browse);

    people.Edit();
    phone.setCursorPosition(phone.text().size());
    QTest::keyClicks(&phone, "9");
    EXPECT_EQ(phone.text(), "555-0109");
    EXPECT_EQ(people.FieldByName("Phone").AsString(), "555-0109"); // written as it is typed
    people.Post();
    EXPECT_EQ(storedValue("ADAMS", "Phone"), "555-0109");
}

TEST_F(DBEditTest, WithAutoEditTypingStartsAnEditThatAMovePosts)
{
    phone.setCursorPosition(phone.text().size());
    QTest::keyClicks(&phone, "7");
    EXPECT_EQ(people.State(), db::DataSetState::Edit);
    EXPECT_EQ(people.FieldByName("Phone").AsString(), "555-0107");
    people.Next();
    EXPECT_EQ(phone.text(), "555-011");
    EXPECT_EQ(storedValue("ADAMS", "Phone"), "555-0107");
}

TEST_F(DBEditTest, UpperCaseEntryAndTheFieldsLengthLimit)
{
    name.setCharCase(ui::DBEdit::CharCase::UpperCase);
    EXPECT_EQ(name.maxLength(), 10);
    name.selectAll();
    QTest::keyClicks(&name, "mcdonald-smith");
    EXPECT_EQ(name.text(), "MCDONALD-S");
    EXPECT_EQ(people.FieldByName("Name").AsString(), "MCDONALD-S");

    // Pasted text is raised as well.
    name.selectAll();
    QApplication::clipboard()->setText("o'neil");
    QTest::keyClick(&name, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name.text(), "O'NEIL");
    EXPECT_EQ(people.FieldByName("Name").AsString(), "O'NEIL");

    // Without the option the case is kept.
    phone.selectAll();
    QTest::keyClicks(&phone, "ext a");
    EXPECT_EQ(phone.text(), "ext a");
}

TEST_F(DBEditTest, ReadOnlyEditNeverStartsAnEdit)
{
    phone.setReadOnly(true);
    QTest::keyClicks(&phone, "1");
    EXPECT_EQ(phone.text(), "555-010");
    EXPECT_EQ(people.State(), db::DataSetState::Browse);
}

TEST_F(DBEditTest, AFailedEditIsShownAndTheTextStays)
{
    modal::ModalRecorder recorder;
    people.BeforeEdit = [](db::DataSet&) { throw db::EngineError("Record locked by another user"); };
    QTest::keyClicks(&phone, "1");
    EXPECT_EQ(phone.text(), "555-010");
    EXPECT_EQ(recorder.messageTexts(), QStringList({ "Record locked by another user" }));
}

TEST_F(DBEditTest, ClicksAreReported)
{
    QSignalSpy clicked(&phone, &ui::DBEdit::clicked);
    QSignalSpy doubleClicked(&phone, &ui::DBEdit::doubleClicked);
    QTest::mouseClick(&phone, Qt::LeftButton);
    QTest::mouseDClick(&phone, Qt::LeftButton);
    EXPECT_GE(clicked.count(), 1);
    EXPECT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(people.State(), db::DataSetState::Browse);
}

TEST_F(DBEditTest, MemoShowsTheFieldAndRefusesChangesWhenReadOnly)
{
    ui::DBMemo notes;
    notes.setReadOnly(true);
    notes.setDataSource(&source);
    notes.setDataField("Notes");
    EXPECT_EQ(notes.toPlainText(), "Notes on ADAMS\nsecond line");
    people.Next();
    EXPECT_EQ(notes.toPlainText(), "Notes on BAKER\nsecond line");
    QTest::keyClicks(&notes, "x");
    EXPECT_EQ(people.State(), db::DataSetState::Browse);

    notes.setReadOnly(false);
    source.setAutoEdit(false);
    QTest::keyClicks(&notes, "x");
    EXPECT_EQ(notes.toPlainText(), "Notes on BAKER\nsecond line");

    source.setAutoEdit(true);
    notes.moveCursor(QTextCursor::End);
    QTest::keyClick(&notes, Qt::Key_Return);
    QTest::keyClicks(&notes, "third");
    EXPECT_EQ(people.FieldByName("Notes").AsString(), "Notes on BAKER\nsecond line\nthird");
}
