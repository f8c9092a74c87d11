#include "TestAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/Table.h"
#include "platform/db/TableCursor.h"
#include "platform/db/TableFile.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// 300 employees over three departments, names in mixed letter case so that the orders differ.
std::vector<QVariantList> manyEmployees()
{
    std::vector<QVariantList> rows;
    const QStringList departments { "Sales", "Accounting", "Research" };
    for (int i = 0; i < 300; ++i) {
        const QString name = QStringLiteral("%1NAME %2").arg(i % 2 ? "x" : "X").arg(299 - i, 3, 10, QChar(u'0'));
        rows.push_back({ departments.at(i % 3), name, QString::number(1000 + i) });
    }
    return rows;
}

// The field's values read from the last row back to the first, in the table's order.
QStringList valuesWalkingBack(db::Table& table, const QString& field)
{
    QStringList values;
    for (table.Last(); !table.Bof(); table.Prior())
        values.prepend(table.FieldByName(field).AsString());
    return values;
}

TEST(TableNavigationTest, EmptyTableIsBothBofAndEof)
{
    TestAlias alias;
    alias.createEmployees({});
    auto table = alias.open("employee");
    EXPECT_TRUE(table->Bof());
    EXPECT_TRUE(table->Eof());
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_EQ(table->RecordCount(), 0);
    EXPECT_EQ(table->RecNo(), 0);
    table->Next();
    table->Prior();
    table->Last();
    EXPECT_TRUE(table->Bof() && table->Eof());
    EXPECT_EQ(table->FieldByName("Name").AsString(), "");
    EXPECT_FALSE(table->GetBookmark().isValid());
}

TEST(TableNavigationTest, BofAndEofFollowTheUsualRules)
{
    TestAlias alias;
    alias.createEmployees({ { "A", "ONE", "1" }, { "A", "TWO", "2" } });
    auto table = alias.open("employee");
    EXPECT_TRUE(table->Bof());
    EXPECT_FALSE(table->Eof());
    table->Next();
    EXPECT_FALSE(table->Bof());
    EXPECT_FALSE(table->Eof());
    table->Next(); // on the last row: Eof, and the row stays
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->FieldByName("Name").AsString(), "TWO");
    table->Prior();
    EXPECT_FALSE(table->Eof());
    table->Prior();
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(table->FieldByName("Name").AsString(), "ONE");
    table->Last();
    EXPECT_TRUE(table->Eof());
    EXPECT_FALSE(table->Bof());
    EXPECT_EQ(table->MoveBy(-5), -1);
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(table->MoveBy(1), 1);
    EXPECT_FALSE(table->Eof());
}

TEST(TableNavigationTest, WalksEveryRowInIndexOrderBothWays)
{
    TestAlias alias;
    const std::vector<QVariantList> rows = manyEmployees();
    alias.createEmployees(rows);

    // ByName ignores letter case; equal names would follow the row id.
    QStringList byName;
    for (const QVariantList& row : rows)
        byName << row.at(1).toString();
    std::stable_sort(byName.begin(), byName.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });

    auto table = alias.open("employee", "ByName");
    EXPECT_EQ(values(*table, "Name"), byName);
    EXPECT_EQ(valuesWalkingBack(*table, "Name"), byName);

    // Primary key order: department, then name in binary order.
    QStringList byKey;
    for (const QVariantList& row : rows)
        byKey << row.at(0).toString() + u'|' + row.at(1).toString();
    std::sort(byKey.begin(), byKey.end());
    auto keyed = alias.table("employee");
    keyed->setIndexFieldNames("Department");
    keyed->Open();
    QStringList walked;
    for (keyed->First(); !keyed->Eof(); keyed->Next())
        walked << keyed->FieldByName("Department").AsString() + u'|' + keyed->FieldByName("Name").AsString();
    EXPECT_EQ(walked, byKey);
    auto plain = alias.open("employee");
    EXPECT_EQ(values(*plain, "Name"), values(*keyed, "Name"));
}

TEST(TableNavigationTest, ShortIndexWithBlanksWalksBothWays)
{
    // A blank Short is NULL, which sorts first and equals nothing: the windows must still meet exactly.
    TestAlias alias;
    db::TableDef definition = DirectoryDatabase::reportDefinition();
    definition.indexes = { { "ByNumber", { "ReportNumber" }, false, false } };
    std::vector<QVariantList> rows;
    QStringList expected;
    for (int i = 0; i < 200; ++i) {
        const QVariant number = i % 3 == 0 ? QVariant() : QVariant((i * 7) % 5 - 2);
        rows.push_back({ QString::number(i), number });
    }
    for (const int number : { -3, -2, -1, 0, 1, 2 }) { // -3 stands for the blanks, which come first
        for (const QVariantList& row : rows) {
            if ((row.at(1).isNull() && number == -3) || (!row.at(1).isNull() && row.at(1).toInt() == number))
                expected << row.at(0).toString();
        }
    }
    alias.createTable("Report.DB", definition, rows);
    auto table = alias.open("Report.DB", "ByNumber");
    EXPECT_EQ(values(*table, "Name"), expected);
    EXPECT_EQ(valuesWalkingBack(*table, "Name"), expected);
    table->setRecNo(120);
    EXPECT_EQ(table->RecNo(), 120);
    EXPECT_EQ(table->FieldByName("Name").AsString(), expected.at(119));
    ASSERT_TRUE(table->Locate("ReportNumber", ""));
    EXPECT_EQ(table->RecNo(), 1);
    ASSERT_TRUE(table->Locate("ReportNumber", 1));
    const auto before = std::count_if(rows.cbegin(), rows.cend(),
        [](const QVariantList& row) { return row.at(1).isNull() || row.at(1).toInt() < 1; });
    EXPECT_EQ(table->RecNo(), before + 1);
}

TEST(TableNavigationTest, TableWithoutKeysKeepsStoredOrder)
{
    TestAlias alias;
    alias.createTable(DirectoryDatabase::AuxiliarTable, DirectoryDatabase::auxiliarDefinition(),
        { { "zeta" }, { "alpha" }, { "Mid" } });
    auto table = alias.open("AUXILIAR.DB");
    EXPECT_EQ(values(*table, "PasswordValue"), (QStringList { "zeta", "alpha", "Mid" }));
}

TEST(TableNavigationTest, PositionsCountsAndBookmarks)
{
    TestAlias alias;
    alias.createEmployees(manyEmployees());
    auto table = alias.open("employee", "ByName");
    EXPECT_EQ(table->RecordCount(), 300);
    table->setRecNo(150);
    EXPECT_EQ(table->RecNo(), 150);
    const QString at150 = table->FieldByName("Name").AsString();
    const db::Bookmark mark = table->GetBookmark();

    table->Last();
    EXPECT_EQ(table->RecNo(), 300);
    EXPECT_TRUE(table->GotoBookmark(mark));
    EXPECT_EQ(table->FieldByName("Name").AsString(), at150);

    // A grid reads the rows around the current one without moving it.
    const std::vector<db::RecordRow> after = table->readRows(mark, 3, true);
    const std::vector<db::RecordRow> before = table->readRows(mark, 3, false);
    ASSERT_EQ(after.size(), 3u);
    ASSERT_EQ(before.size(), 3u);
    table->setRecNo(151);
    EXPECT_EQ(after.front().values.at(1).toString(), table->FieldByName("Name").AsString());
    table->setRecNo(149);
    EXPECT_EQ(before.back().values.at(1).toString(), table->FieldByName("Name").AsString());
    table->setRecNo(147);
    EXPECT_EQ(before.front().values.at(1).toString(), table->FieldByName("Name").AsString());
    EXPECT_EQ(table->readRows({}, 500, true).size(), 300u);
    EXPECT_EQ(table->readRows({}, 2, false).back().values, table->readRows({}, 300, true).back().values);

    table->setRecNo(1000);
    EXPECT_EQ(table->RecNo(), 300);
    EXPECT_EQ(table->MoveBy(-10), -10);
    EXPECT_EQ(table->RecNo(), 290);
}

TEST(TableNavigationTest, SignalsPauseWhileControlsAreDisabled)
{
    TestAlias alias;
    alias.createEmployees(manyEmployees());
    auto table = alias.open("employee");
    QSignalSpy scrolled(table.get(), &db::DataSet::scrolled);
    QSignalSpy changed(table.get(), &db::DataSet::dataChanged);
    int afterScroll = 0;
    table->AfterScroll = [&afterScroll](db::DataSet&) { ++afterScroll; };

    table->Next();
    EXPECT_EQ(scrolled.count(), 1);
    table->DisableControls();
    table->DisableControls();
    table->Next();
    table->Last();
    table->EnableControls();
    EXPECT_EQ(changed.count(), 0);
    table->EnableControls();
    EXPECT_EQ(scrolled.count(), 1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(afterScroll, 3); // forms' events still run
}

TEST(TableNavigationTest, PersistentFieldsChooseAndOrderTheFields)
{
    TestAlias alias;
    alias.createEmployees({ { "Sales", "SMITH, ANN", "201" } });
    auto table = alias.table("employee.DB");
    table->addField("Extension").setDisplayLabel("Phone/Ext.");
    table->addField("name");
    table->Open();
    ASSERT_EQ(table->FieldCount(), 2);
    EXPECT_EQ(table->fieldAt(0).DisplayLabel(), "Phone/Ext.");
    EXPECT_EQ(table->fieldAt(1).Size(), 35);
    EXPECT_EQ(table->currentValues(), (QVariantList { "201", "SMITH, ANN" }));
    EXPECT_EQ(table->FindField("Department"), nullptr);
    EXPECT_THROW(table->FieldByName("Department"), db::EngineError);
    table->Close();

    auto wrong = alias.table("employee.DB");
    wrong->addField("Nickname");
    EXPECT_EQ(failureOf<db::EngineError>([&] { wrong->Open(); }), "Field 'Nickname' not found in employee.DB");
    EXPECT_FALSE(wrong->Active());
}

// Reads must walk an index: no full scan and no sort, whatever the size of the table.
void expectIndexPlan(const db::TableCursor& cursor, const char* what)
{
    const QStringList plan = cursor.explainLastRead();
    const QString text = plan.join(u'\n');
    EXPECT_FALSE(text.contains("TEMP B-TREE")) << what << ": " << text.toStdString();
    for (const QString& line : plan) {
        const bool indexed = line.contains("USING INDEX") || line.contains("USING COVERING INDEX")
            || line.contains("INTEGER PRIMARY KEY");
        EXPECT_TRUE(indexed) << what << ": " << text.toStdString();
    }
}

TEST(TableNavigationTest, ReadsUseTheIndexOfTheOrder)
{
    TestAlias alias;
    alias.createEmployees(manyEmployees());
    for (const bool detail : { false, true }) {
        db::TableCursor cursor(std::make_unique<db::TableFile>(alias.path("employee.DB"), alias.session()));
        if (detail) {
            cursor.setOrder({ "Department", "Name" }, false);
            cursor.setRange({ 0 }, { QStringLiteral("Sales") });
        } else {
            cursor.setOrder({ "Name" }, true);
        }
        const std::vector<db::RecordRow> first = cursor.fetch({}, 64, true);
        ASSERT_FALSE(first.empty());
        expectIndexPlan(cursor, "first");
        cursor.fetch({}, 64, false);
        expectIndexPlan(cursor, "last");
        cursor.fetch(first.back().bookmark, 64, true);
        expectIndexPlan(cursor, "next window");
        cursor.fetch(first.back().bookmark, 64, false);
        expectIndexPlan(cursor, "prior window");
        cursor.seek(first.back().bookmark, 64);
        expectIndexPlan(cursor, "seek");
        cursor.position(first.back().bookmark);
        expectIndexPlan(cursor, "position");
        cursor.locate(1, "xname 1", db::LocateOption::CaseInsensitive | db::LocateOption::PartialKey);
        expectIndexPlan(cursor, "locate partial");
        cursor.locate(1, "XNAME 100", {});
        expectIndexPlan(cursor, "locate exact");
    }
}

} // namespace
