#include "VectorRowSource.h"

#include "platform/report/Band.h"
#include "platform/report/Expression.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportLayout.h"

#include <gtest/gtest.h>

using report::Expression;
using report::ReportError;

namespace {

QString evaluate(const QString& text, const QString& name = "SMITH, JOHN")
{
    VectorRowSource rows({ "Name", "First Name" }, { { name, "John" } });
    const Expression expression(text);
    std::vector<int> indexes;
    for (const QString& field : expression.fieldNames())
        indexes.push_back(rows.fieldIndex(field));
    rows.first();
    return expression.evaluate(rows, indexes);
}

QString errorOf(const QString& text)
{
    try {
        Expression expression(text);
    } catch (const ReportError& error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(Expression, ReadsFieldsPlainOrInBrackets)
{
    EXPECT_EQ(evaluate("copy(Name, 1, 1)"), "S");
    EXPECT_EQ(evaluate("copy([Name], 1, 1)"), "S");
    EXPECT_EQ(evaluate("[Name]"), "SMITH, JOHN");
    EXPECT_EQ(evaluate("name"), "SMITH, JOHN");
    EXPECT_EQ(evaluate("[First Name]"), "John");
    EXPECT_EQ(evaluate("COPY ( copy(Name, 8, 4) , 2 , 2 )"), "OH");
    EXPECT_EQ(evaluate("'It''s'"), "It's");
    EXPECT_EQ(Expression("copy(Name, 1, 1) ").fieldNames(), QStringList { "Name" });
}

TEST(Expression, CopyKeepsWithinTheText)
{
    EXPECT_EQ(evaluate("copy(Name, 8, 100)"), "JOHN");
    EXPECT_EQ(evaluate("copy(Name, 0, 2)"), "SM");
    EXPECT_EQ(evaluate("copy(Name, 12, 1)"), QString());
    EXPECT_EQ(evaluate("copy(Name, 1, 0)"), QString());
    EXPECT_EQ(evaluate("copy(Name, 1, 1)", QString()), QString());
}

TEST(Expression, BadTextIsRefusedWhenBuilt)
{
    EXPECT_EQ(errorOf("upper(Name)"), "Invalid expression \"upper(Name)\": unknown function 'upper' (at position 6)");
    for (const QString& text : QStringList { "", "copy(Name, 1)", "copy(Name, 1, 1", "copy(1, 1, 1)",
             "copy(Name, '1', 1)", "[Name", "Name Name", "'open", "12", "copy(Name; 1, 1)" }) {
        EXPECT_TRUE(errorOf(text).startsWith(QStringLiteral("Invalid expression \"%1\"").arg(text)))
            << text.toStdString();
    }

    // Building a layout reports it, long before anything prints.
    report::ReportLayout layout;
    EXPECT_THROW(layout.addGroupHeader("QRGroup1", 0.42, "copy(Name, 1)"), ReportError);
    EXPECT_THROW(report::Control::expression("QRExpr1", "copy(Name 1, 1)"), ReportError);
}
