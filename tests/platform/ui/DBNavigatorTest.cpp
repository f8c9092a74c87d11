#include "platform/ui/DBNavigator.h"
#include "platform/modal/ModalRecorder.h"

#include "PeopleFixture.h"

#include <QSignalSpy>
#include <QToolButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using Button = ui::DBNavigator::Button;

namespace {

QStringList shownButtons(const ui::DBNavigator& navigator)
{
    QStringList shown;
    for (int index = 0; index < ui::DBNavigator::buttonCount; ++index) {
        const QToolButton* const button = navigator.button(static_cast<Button>(index));
        if (button->isVisibleTo(&navigator)) {
            shown.append(QStringLiteral("%1@%2+%3").arg(button->toolTip()).arg(button->x()).arg(button->width()));
        }
    }
    return shown;
}

QString enabledButtons(const ui::DBNavigator& navigator)
{
    QString flags;
    for (int index = 0; index < ui::DBNavigator::buttonCount; ++index) {
        flags += navigator.button(static_cast<Button>(index))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return flags; // First Prior Next Last Insert Delete Edit Post Cancel Refresh
}

class DBNavigatorTest : public uitest::PeopleFixture
{
protected:
    void SetUp() override
    {
        PeopleFixture::SetUp();
        navigator.setDataSource(&source);
    }

    ui::DBNavigator navigator;
};

} // namespace

TEST(DBNavigatorLayout, VisibleButtonSetsShareTheWidthInTheFixedOrder)
{
    struct Case
    {
        int buttons;
        int width;
        QStringList shown;
    };
    const Case cases[] = {
        { 15, 124, { "First record@0+31", "Prior record@31+31", "Next record@62+31", "Last record@93+31" } },
        { 607, 182,
            { "First record@0+26", "Prior record@26+26", "Next record@52+26", "Last record@78+26",
                "Insert record@104+26", "Edit record@130+26", "Refresh data@156+26" } },
        { ui::DBNavigator::allButtons, 250,
            { "First record@0+25", "Prior record@25+25", "Next record@50+25", "Last record@75+25",
                "Insert record@100+25", "Delete record@125+25", "Edit record@150+25", "Post edit@175+25",
                "Cancel edit@200+25", "Refresh data@225+25" } },
        // Widths that do not divide evenly lose no pixel.
        { 7, 100, { "First record@0+34", "Prior record@34+33", "Next record@67+33" } },
    };
    ui::DBNavigator navigator;
    for (const Case& test : cases) {
        navigator.setVisibleButtons(test.buttons);
        navigator.setWidth(test.width);
        EXPECT_EQ(shownButtons(navigator), test.shown) << test.buttons;
        EXPECT_EQ(navigator.width(), test.width);
    }
    EXPECT_NE(navigator.findChild<QToolButton*>("nbRefresh"), nullptr);
}

TEST_F(DBNavigatorTest, ButtonsFollowTheCursorAndItsState)
{
    EXPECT_EQ(enabledButtons(navigator), "0011111001");
    people.Next();
    EXPECT_EQ(enabledButtons(navigator), "1111111001");
    people.Last();
    EXPECT_EQ(enabledButtons(navigator), "1100111001");
    people.Edit();
    EXPECT_EQ(enabledButtons(navigator), "1100110111");
    people.Cancel();
    people.Close();
    EXPECT_EQ(enabledButtons(navigator), "0000000000");
    people.Open();
    navigator.setEnabled(false);
    EXPECT_EQ(enabledButtons(navigator), "0000000000");
}

TEST_F(DBNavigatorTest, AnEmptyTableOffersOnlyInsert)
{
    people.Close();
    folder.createTable("people", peopleDefinition(), QList<QVariantList>());
    people.Open();
    EXPECT_EQ(enabledButtons(navigator), "0000101001");
}

TEST_F(DBNavigatorTest, AfterClickNamesTheButtonOnceTheOperationIsDone)
{
    QList<Button> clicked;
    QStringList seen;
    QObject::connect(&navigator, &ui::DBNavigator::clicked, &navigator, [&](Button button) {
        clicked.append(button);
        seen.append(currentName());
    });
    QTest::mouseClick(navigator.button(Button::Next), Qt::LeftButton);
    QTest::mouseClick(navigator.button(Button::Last), Qt::LeftButton);
    EXPECT_EQ(clicked, QList<Button>({ Button::Next, Button::Last }));
    EXPECT_EQ(seen, QStringList({ "BAKER", "GREEN" }));

    // Next at the end moves nothing, yet the buttons learn that the end was reached.
    people.Locate("Name", "GREEN");
    navigator.BtnClick(Button::Next);
    EXPECT_EQ(currentName(), "GREEN");
    EXPECT_FALSE(navigator.button(Button::Next)->isEnabled());

    QTest::mouseClick(navigator.button(Button::Insert), Qt::LeftButton);
    EXPECT_EQ(people.State(), db::DataSetState::Insert);
    EXPECT_EQ(clicked.last(), Button::Insert);
    QTest::mouseClick(navigator.button(Button::Cancel), Qt::LeftButton);
    EXPECT_EQ(people.State(), db::DataSetState::Browse);
}

TEST_F(DBNavigatorTest, DeleteAsksFirstAndDeletesOnlyOnOK)
{
    modal::ModalRecorder recorder;
    QSignalSpy clicked(&navigator, &ui::DBNavigator::clicked);
    people.Locate("Name", "CLARK");

    recorder.answer(modal::MessageButton::Cancel);
    QTest::mouseClick(navigator.button(Button::Delete), Qt::LeftButton);
    EXPECT_EQ(storedValue("CLARK", "Name"), "CLARK");
    EXPECT_EQ(clicked.count(), 1);

    recorder.answer(modal::MessageButton::OK);
    QTest::mouseClick(navigator.button(Button::Delete), Qt::LeftButton);
    EXPECT_EQ(storedValue("CLARK", "Name"), "<missing>");
    EXPECT_EQ(currentName(), "DAVIS");
    EXPECT_EQ(clicked.count(), 2);

    ASSERT_EQ(recorder.messages().size(), 2);
    EXPECT_EQ(recorder.messages().front().text, "Delete record?");
    EXPECT_EQ(recorder.messages().front().buttons, modal::MessageButton::OK | modal::MessageButton::Cancel);
}

TEST_F(DBNavigatorTest, RefreshShowsWhatOthersWrote)
{
    db::Table other;
    uitest::openTable(other, "people");
    other.Edit();
    other.FieldByName("Phone").setAsString("555-777");
    other.Post();
    EXPECT_EQ(people.FieldByName("Phone").AsString(), "555-010");
    navigator.BtnClick(Button::Refresh);
    EXPECT_EQ(people.FieldByName("Phone").AsString(), "555-777");
}

TEST_F(DBNavigatorTest, AFailedOperationIsShownAndNotReportedAsClicked)
{
    modal::ModalRecorder recorder;
    QSignalSpy clicked(&navigator, &ui::DBNavigator::clicked);
    people.FieldByName("Name").setRequired(true);
    QTest::mouseClick(navigator.button(Button::Insert), Qt::LeftButton);
    QTest::mouseClick(navigator.button(Button::Post), Qt::LeftButton);
    EXPECT_EQ(recorder.messageTexts(), QStringList({ "Field 'Name' must have a value" }));
    EXPECT_EQ(people.State(), db::DataSetState::Insert);
    EXPECT_EQ(clicked.count(), 1); // the Insert only
}
