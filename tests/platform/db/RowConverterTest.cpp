#include "TestAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/RowConverter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Rows of a table converted to the Report table's fields: those that do not convert are counted and skipped, or the
// first of them stops the conversion naming its row; either way the source is closed again as it was found.
TEST(RowConverterTest, RowsThatDoNotConvertAreCountedOrStopAtTheirRow)
{
    TestAlias alias;
    db::TableDef text;
    text.fields = { { "Name", db::FieldType::Alpha, 40 }, { "Number", db::FieldType::Alpha, 10 } };
    alias.createTable(
        "raw.DB", text, { { "fits", "12" }, { "no number", "twelve" }, { QString(36, u'L'), "1" }, { "last", "-3" } });
    const QList<db::FieldDef> fields = DirectoryDatabase::reportDefinition().fields;
    struct Case
    {
        bool abortOnProblem;
        QStringList converted; // Name|ReportNumber of each row given
        qint64 problems;
        std::string stoppedAt; // the message's start; empty where nothing stops
    };
    const Case cases[] = {
        { false, { "fits|12", "last|-3" }, 2, "" },
        { true, { "fits|12" }, 1, "The batch move into Report.DB stopped at row 2: field 'ReportNumber' cannot take" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.abortOnProblem);
        auto source = alias.table("raw");
        QStringList converted;
        std::string stopped;
        qint64 problems = 0;
        QString firstProblem;
        {
            db::RowConverter rows(*source, QStringLiteral("Report.DB"), c.abortOnProblem);
            EXPECT_EQ(rows.sourceFields(), text.fields);
            try {
                QVariantList values;
                while (rows.next(fields, values)) {
                    ASSERT_EQ(values.size(), fields.size());
                    converted << values.at(0).toString() + u'|' + values.at(1).toString();
                }
            } catch (const db::EngineError& error) {
                stopped = error.what();
            }
            problems = rows.problemCount();
            firstProblem = rows.firstProblem();
        }
        EXPECT_EQ(converted, c.converted);
        EXPECT_EQ(problems, c.problems);
        EXPECT_TRUE(firstProblem.startsWith("row 2: field 'ReportNumber' cannot take the value"))
            << firstProblem.toStdString();
        EXPECT_EQ(stopped.substr(0, c.stoppedAt.size()), c.stoppedAt);
        EXPECT_EQ(stopped.empty(), c.stoppedAt.empty()) << stopped;
        EXPECT_FALSE(source->Active());
    }
}

} // namespace
