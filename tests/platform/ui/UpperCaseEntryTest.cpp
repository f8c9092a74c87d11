#include "UiTestSupport.h"

#include "platform/ui/UpperCaseEntry.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

class UpperCaseEntryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* const layout = new QVBoxLayout(&window);
        layout->addWidget(&edit);
        ui::enterUpperCase(edit);
        ASSERT_TRUE(uitest::showActive(window));
        edit.setFocus();
        ASSERT_TRUE(uitest::waitFor([this] { return edit.hasFocus(); }));
    }

    QWidget window;
    QLineEdit edit { &window };
};

TEST_F(UpperCaseEntryTest, TypedLettersAreUpperCaseAndTheCursorStays)
{
    QTest::keyClicks(QApplication::focusWidget(), "mc1x");
    EXPECT_EQ(edit.text(), QStringLiteral("MC1X"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClicks(QApplication::focusWidget(), "d");
    EXPECT_EQ(edit.text(), QStringLiteral("MCD1X"));
    EXPECT_EQ(edit.cursorPosition(), 3);
}

TEST_F(UpperCaseEntryTest, TextSetByTheProgramIsLeftAsItIs)
{
    edit.setText(QStringLiteral("mixed Case"));
    EXPECT_EQ(edit.text(), QStringLiteral("mixed Case"));
}

} // namespace
