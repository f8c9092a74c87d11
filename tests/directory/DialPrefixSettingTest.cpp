#include "MainWindowFixture.h"

#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/ui/DBLookupComboBox.h"

namespace {

using SpecialPrefixSettingTest = MainWindowFixture;

TEST_F(SpecialPrefixSettingTest, ChosenPrefixIsSavedAtCloseAndInForceAtTheNextStart)
{
    TfrmMain& first = start();
    EXPECT_TRUE(first.SpecialPrefix.isEmpty());
    EXPECT_TRUE(first.DBLookupComboBox1->KeyValue().isNull());
    first.DBLookupComboBox1->setKeyValue(QStringLiteral("*70"));
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(m_environment.savedPrefix(), QStringLiteral("*70"));

    TfrmMain& second = start();
    EXPECT_EQ(second.SpecialPrefix, QStringLiteral("*70"));
    EXPECT_EQ(second.DBLookupComboBox1->KeyValue().toString(), QStringLiteral("*70"));
    EXPECT_EQ(second.DBLookupComboBox1->currentText(), QStringLiteral("*70"));

    // A chooser without a value at the close saves the empty prefix.
    second.DBLookupComboBox1->setKeyValue(QVariant());
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(m_environment.savedPrefix(), QString());
    TfrmMain& third = start();
    EXPECT_TRUE(third.SpecialPrefix.isEmpty());
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(SpecialPrefixSettingTest, SavedPrefixNoLongerListedStaysInForceAndIsKept)
{
    m_environment.savePrefix(QStringLiteral("8#"));
    TfrmMain& main = start();
    EXPECT_EQ(main.SpecialPrefix, QStringLiteral("8#"));
    EXPECT_TRUE(main.DBLookupComboBox1->currentText().isEmpty()) << "no row of Special.db holds it";
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(m_environment.savedPrefix(), QStringLiteral("8#"));
}

TEST_F(SpecialPrefixSettingTest, UnusableSettingsStoreGivesTheEmptyPrefixAndTheCloseStillCompletes)
{
    m_environment.breakSettingsStore();
    TfrmMain& main = start();
    EXPECT_TRUE(main.SpecialPrefix.isEmpty());
    EXPECT_TRUE(data().TblEmployee1->Active());
    main.DBLookupComboBox1->setKeyValue(QStringLiteral("9"));

    EXPECT_TRUE(closeWindow());
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(db::Session::defaultSession().passwords().contains(QStringLiteral("RJBalnor")));
    EXPECT_EQ(messages(), QStringList());
}

} // namespace
