#include "CallManagerStandIn.h"
#include "MainWindowFixture.h"
#include "ProgramRun.h"

#include "directory/SimpleComboBox.h"
#include "directory/TfrmCallParty.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"

#include <QAbstractItemView>

#include <functional>

namespace {

// Opens the prefix chooser's list and clicks the row of `number`, or dismisses the list with Esc when `number`
// is empty; returns once the list has closed and its close-up has run.
void closeList(TfrmMain& main, const QString& number)
{
    ui::DBLookupComboBox* const chooser = main.DBLookupComboBox1;
    QAbstractItemView* const view = chooser->view();
    chooser->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, 5000));
    bool closedUp = false;
    const auto connection = QObject::connect(chooser, &ui::DBLookupComboBox::closeUp, [&] { closedUp = true; });
    if (number.isEmpty()) {
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Escape);
    } else {
        const QModelIndexList row = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, number);
        ASSERT_EQ(row.size(), 1) << number.toStdString();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row.first()).center());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return closedUp; }, 5000));
    QObject::disconnect(connection);
}

class DialPrefixTest : public MainWindowFixture
{
protected:
    QString dialExtension()
    {
        const QString call = m_calls.expectCall();
        doubleClick(window().DBEditExtension);
        return m_calls.received(call).value(0);
    }

    CallManagerStandIn m_calls { m_environment };
};

TEST_F(DialPrefixTest, PickedRowIsInForceAtOnceOnBothPagesAndADismissedListKeepsIt)
{
    TfrmMain& main = start();
    EXPECT_EQ(dialExtension(), QStringLiteral("4001")) << "no prefix at the first run";
    closeList(main, QStringLiteral("9"));
    EXPECT_EQ(dialExtension(), QStringLiteral("94001"));
    closeList(main, QString());
    EXPECT_EQ(main.SpecialPrefix, QStringLiteral("9"));

    // One chooser, one prefix, on both pages; a prefix's "*" is kept.
    switchToPage(1);
    QStringList entries;
    nextDialog<TfrmCallParty>(
        [&](TfrmCallParty& chooser) { entries << chooser.ComboBox1->itemText(0) << chooser.ComboBox1->itemText(1); });
    doubleClick(main.DBEditMainExtension);
    EXPECT_EQ(entries, (QStringList { "94100", "94101" }));
    closeList(main, QStringLiteral("*70"));
    switchToPage(0);
    EXPECT_EQ(dialExtension(), QStringLiteral("*704001"));
}

TEST_F(DialPrefixTest, RowChosenWithTheListClosedIsInForceAtOnceAndDeleteGoesBackToNoPrefix)
{
    TfrmMain& main = start();
    ui::DBLookupComboBox* const chooser = main.DBLookupComboBox1;
    chooser->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser->hasFocus(); }, 5000));
    QTest::keyClick(chooser, Qt::Key_Down);
    QTest::keyClick(chooser, Qt::Key_Down);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("1"));
    EXPECT_EQ(main.SpecialPrefix, QStringLiteral("1"));

    QTest::keyClick(chooser, Qt::Key_Delete);
    EXPECT_TRUE(chooser->KeyValue().isNull());
    EXPECT_TRUE(chooser->currentText().isEmpty());
    EXPECT_EQ(dialExtension(), QStringLiteral("4001"));
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(m_environment.savedPrefix(), QString());
}

// One run of the whole program: start-up, `act` on the running main window, then the close.
void runOnce(const std::function<void(TfrmMain&)>& act)
{
    DirectoryProgram program;
    EXPECT_EQ(runProgram(
                  program, [&] { act(*program.mainWindow()); }, 3 * processDeadlineMs),
        0);
}

TEST(DialPrefixRestartTest, PrefixPickedInOneRunIsInForceInTheNext)
{
    DirectoryTestEnvironment environment;
    CallManagerStandIn calls(environment);
    modal::ModalRecorder modal;
    runOnce([](TfrmMain& main) { closeList(main, QStringLiteral("9")); });

    QStringList received;
    runOnce([&](TfrmMain& main) {
        EXPECT_EQ(main.DBLookupComboBox1->currentText(), QStringLiteral("9"));
        const QString call = calls.expectCall();
        doubleClick(main.DBEditExtension);
        received = calls.received(call);
    });
    EXPECT_EQ(received, calls.request("94001", "ABERNATHY, MARGARET"));
}

} // namespace
