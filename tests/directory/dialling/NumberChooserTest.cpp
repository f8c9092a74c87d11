#include "CallManagerStandIn.h"
#include "DirectoryTestEnvironment.h"
#include "PointerInput.h"
#include "TestInput.h"

#include "directory/SimpleComboBox.h"
#include "directory/TfrmCallParty.h"
#include "platform/modal/ModalRecorder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const QString party = QStringLiteral("FITZGERALD, NORA");

// The chooser as the main window fills it for "555-0142 EXT. 31 OR *555-0199" with prefix 9, shown and active.
class NumberChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_chooser.NumberText = QStringLiteral("555-0142 EXT. 31 OR *555-0199");
        m_chooser.CalledParty = party;
        m_chooser.Comment = QStringLiteral("Calling ") + party;
        m_chooser.SplitNumbers();
        ASSERT_TRUE(activateSoon(m_chooser));
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    QPoint entry(int index) const { return m_list->visualItemRect(m_list->item(index)).center(); }
    QStringList dialled(const QString& destination) const { return CallManagerStandIn::request(destination, party); }

    DirectoryTestEnvironment m_environment { DirectoryTestEnvironment::Content::Empty };
    CallManagerStandIn m_calls { m_environment };
    modal::ModalRecorder m_modal;
    const QString m_prefix = QStringLiteral("9");
    TfrmCallParty m_chooser { m_prefix, nullptr };
    QListWidget* const m_list = m_chooser.ComboBox1->listWidget();
};

TEST_F(NumberChooserTest, ShowsTheNumbersAndClosesOnlyByClose)
{
    EXPECT_EQ(m_chooser.windowTitle(), QStringLiteral("Please select a number"));
    EXPECT_EQ(m_chooser.NumberText, QStringLiteral("555-0142,,31,555-0199"));
    EXPECT_EQ(m_chooser.ComboBox1->count(), 3);
    EXPECT_EQ(m_chooser.ComboBox1->text(), QStringLiteral("9555-0142"));
    EXPECT_EQ(m_chooser.lblCalledParty->text(), party);
    EXPECT_TRUE(m_chooser.btnDial->isDefault());
    EXPECT_EQ(m_chooser.minimumSize(), m_chooser.maximumSize()) << "a fixed dialog border";

    // Tab order: "&Dial", the numbers, "&Close". Esc closes nothing.
    EXPECT_EQ(focused(), m_chooser.btnDial);
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), m_chooser.ComboBox1->lineEdit());
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), m_chooser.btnClose);
    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_TRUE(m_chooser.isVisible());
    QTest::mouseClick(m_chooser.btnClose, Qt::LeftButton);
    EXPECT_FALSE(m_chooser.isVisible());
    EXPECT_TRUE(m_modal.messages().isEmpty());
}

TEST_F(NumberChooserTest, DialsPickedOrTypedNumbersAsOftenAsAskedAndStaysOpen)
{
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, entry(1));
    EXPECT_EQ(m_chooser.ComboBox1->text(), QStringLiteral("931"));
    for (int dial = 0; dial < 2; ++dial) {
        const QString call = m_calls.expectCall();
        QTest::mouseClick(m_chooser.btnDial, Qt::LeftButton);
        EXPECT_EQ(m_calls.received(call), dialled(QStringLiteral("931")));
    }
    QString call = m_calls.expectCall();
    doubleClick(m_list->viewport(), entry(2));
    EXPECT_EQ(m_calls.received(call), dialled(QStringLiteral("9555-0199")));

    // Typed text goes out as typed, without clean-up or prefix; Enter dials.
    QLineEdit* const line = m_chooser.ComboBox1->lineEdit();
    line->clear();
    QTest::keyClicks(line, QStringLiteral(" 12*3 ext+"));
    call = m_calls.expectCall();
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(m_calls.received(call), dialled(QStringLiteral(" 12*3 ext+")));

    // Cancel at the handset prompt sends nothing and leaves the chooser as it was.
    QTest::keyClick(line, Qt::Key_Up);
    ASSERT_EQ(m_chooser.ComboBox1->text(), QStringLiteral("931"));
    call = m_calls.expectCall();
    m_modal.answer(modal::MessageButton::Cancel);
    QTest::mouseClick(m_chooser.btnDial, Qt::LeftButton);
    EXPECT_TRUE(m_calls.nothingArrivedIn(call));
    EXPECT_EQ(m_chooser.ComboBox1->text(), QStringLiteral("931"));
    EXPECT_EQ(m_modal.messages().size(), 5) << "the handset prompt comes with each dial";
    EXPECT_TRUE(m_chooser.isVisible());
    EXPECT_EQ(m_chooser.ComboBox1->count(), 3);
}

// With the mouse alone, each click at a point of the window: the list and the name in the frame take it, and the
// buttons below.
TEST_F(NumberChooserTest, TheFramedListAndTheButtonsTakeClicks)
{
    pointer::expectMouseReaches(m_chooser, { "ComboBox1", "lblCalledParty", "btnDial", "btnClose" });
    pointer::click(*m_list->viewport(), entry(2));
    EXPECT_EQ(m_chooser.ComboBox1->text(), QStringLiteral("9555-0199"));
    pointer::click(*m_chooser.ComboBox1->lineEdit());
    EXPECT_EQ(focused(), m_chooser.ComboBox1->lineEdit());
    const QString call = m_calls.expectCall();
    pointer::click(*m_chooser.btnDial);
    EXPECT_EQ(m_calls.received(call), dialled(QStringLiteral("9555-0199")));
    pointer::click(*m_chooser.btnClose);
    EXPECT_FALSE(m_chooser.isVisible());
}

} // namespace
