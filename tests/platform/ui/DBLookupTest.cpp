#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/DBLookupComboBox.h"

#include "PeopleFixture.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

// Opens the list and clicks a row, as a user picks it.
void pickRow(ui::DBLookupComboBox& combo, int row)
{
    combo.showPopup();
    ASSERT_TRUE(uitest::waitFor([&] { return combo.view()->isVisible(); }));
    QAbstractItemView* const view = combo.view();
    const QRect cell = view->visualRect(combo.model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    ASSERT_TRUE(uitest::waitFor([&] { return !combo.view()->isVisible(); }));
}

db::TableDef twoColumns(const QString& key, int keySize, const QString& other, int otherSize)
{
    return uitest::keyedOnFirst({ { key, db::FieldType::Alpha, keySize }, { other, db::FieldType::Alpha, otherSize } });
}

class DBLookupTest : public uitest::PeopleFixture
{
protected:
    void SetUp() override
    {
        PeopleFixture::SetUp();
        folder.createTable("prefixes", twoColumns("Number", 15, "Description", 25),
            { { "*70", "Cancel call waiting" }, { "1", "Long distance" }, { "9", "Outside line" } });
        folder.createTable("depts", twoColumns("Dept", 15, "Floor", 5),
            { { "Accounting", "1" }, { "Marketing", "2" }, { "Sales", "3" } });
        uitest::openTable(prefixes, "prefixes");
        prefixSource.setDataSet(&prefixes);
        uitest::openTable(depts, "depts");
        deptSource.setDataSet(&depts);

        chooser.setListSource(&prefixSource);
        chooser.setKeyField("Number");
        chooser.setListField("Number;Description");
        chooser.resize(183, chooser.sizeHint().height());
        chooser.show();
    }

    db::Table prefixes;
    db::DataSource prefixSource;
    db::Table depts;
    db::DataSource deptSource;
    ui::DBLookupComboBox chooser;
};

} // namespace

TEST_F(DBLookupTest, ListShowsTheListFieldsAndTheValueMayBeNull)
{
    ASSERT_EQ(chooser.count(), 3);
    EXPECT_EQ(chooser.model()->columnCount(), 2);
    EXPECT_EQ(chooser.model()->index(1, 1).data().toString(), "Long distance");
    EXPECT_TRUE(chooser.KeyValue().isNull());
    EXPECT_EQ(chooser.currentText(), "");

    chooser.setKeyValue(QStringLiteral("9"));
    EXPECT_EQ(chooser.currentText(), "9");
    // A value that no row holds is kept, and the box shows nothing.
    chooser.setKeyValue(QStringLiteral("8"));
    EXPECT_EQ(chooser.currentText(), "");
    EXPECT_EQ(chooser.placeholderText(), "");
    EXPECT_EQ(chooser.KeyValue().toString(), "8");
}

TEST_F(DBLookupTest, CloseUpComesWhetherARowWasPickedOrTheListDismissed)
{
    QStringList valueAtCloseUp;
    QObject::connect(&chooser, &ui::DBLookupComboBox::closeUp, &chooser,
        [&] { valueAtCloseUp.append(chooser.KeyValue().isNull() ? "<null>" : chooser.KeyValue().toString()); });

    pickRow(chooser, 2);
    ASSERT_TRUE(uitest::waitFor([&] { return valueAtCloseUp.size() == 1; }));
    EXPECT_EQ(valueAtCloseUp.front(), "9");
    EXPECT_EQ(chooser.currentText(), "9");

    chooser.showPopup();
    QTest::keyClick(chooser.view(), Qt::Key_Escape);
    ASSERT_TRUE(uitest::waitFor([&] { return valueAtCloseUp.size() == 2; }));
    EXPECT_EQ(valueAtCloseUp.at(1), "9");

    chooser.showPopup();
    QTest::keyClick(chooser.view(), Qt::Key_Up);
    QTest::keyClick(chooser.view(), Qt::Key_Return);
    ASSERT_TRUE(uitest::waitFor([&] { return valueAtCloseUp.size() == 3; }));
    EXPECT_EQ(valueAtCloseUp.at(2), "1");

    // A dismissed list leaves even a value without a row alone.
    chooser.setKeyValue(QStringLiteral("8"));
    chooser.showPopup();
    QTest::keyClick(chooser.view(), Qt::Key_Escape);
    ASSERT_TRUE(uitest::waitFor([&] { return valueAtCloseUp.size() == 4; }));
    EXPECT_EQ(valueAtCloseUp.at(3), "8");
}

TEST_F(DBLookupTest, TheListIsReadWithoutMovingItsSourceAndFollowsItsRows)
{
    prefixes.Last();
    chooser.showPopup();
    chooser.hidePopup();
    EXPECT_EQ(prefixes.FieldByName("Number").AsString(), "9");

    prefixes.Insert();
    prefixes.FieldByName("Number").setAsString("0");
    prefixes.FieldByName("Description").setAsString("Operator");
    prefixes.Post();
    ASSERT_EQ(chooser.count(), 4);
    EXPECT_EQ(chooser.model()->index(1, 1).data().toString(), "Operator");
}

TEST_F(DBLookupTest, BoundPickerShowsTheFieldAndWritesThePick)
{
    ui::DBLookupCombo picker;
    picker.setObjectName("DeptPicker");
    picker.setDataSource(&source);
    picker.setDataField("Dept");
    picker.setLookupSource(&deptSource);
    picker.setLookupField("Dept");
    picker.show();
    ASSERT_EQ(picker.count(), 3);
    EXPECT_EQ(picker.currentText(), "Accounting");
    people.Next();
    EXPECT_EQ(picker.currentText(), "Sales");

    // Without AutoEdit a browsing record refuses the pick.
    source.setAutoEdit(false);
    pickRow(picker, 1);
    EXPECT_EQ(picker.currentText(), "Sales");
    EXPECT_EQ(people.FieldByName("Dept").AsString(), "Sales");
    EXPECT_EQ(people.State(), db::DataSetState::Browse);

    source.setAutoEdit(true);
    pickRow(picker, 1);
    EXPECT_EQ(people.State(), db::DataSetState::Edit);
    EXPECT_EQ(people.FieldByName("Dept").AsString(), "Marketing");
    people.Post();
    EXPECT_EQ(storedValue("BAKER", "Dept"), "Marketing");

    // A value missing from the list is still shown.
    people.Edit();
    people.FieldByName("Dept").setAsString("Research");
    EXPECT_EQ(picker.currentIndex(), -1);
    EXPECT_EQ(picker.placeholderText(), "Research");
}
