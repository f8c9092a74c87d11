#include "VectorRowSource.h"

#include "platform/report/Band.h"
#include "platform/report/Expression.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportLayout.h"

#include <gtest/gtest.h>

using report::Expression;
using report::ReportError;

namespace {

QString evaluate(const QString& text, const QString& name = QStringLiteral("SMITH, JOHN"))
{
    VectorRowSource rows(
        { QStringLiteral("Name"), QStringLiteral("First Name") }, { { name, QStringLiteral("John") } });
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
    EXPECT_EQ(evaluate(QStringLiteral("copy(Name, 1, 1)")), QStringLiteral("S"));
    EXPECT_EQ(evaluate(QStringLiteral("copy([Name], 1, 1)")), QStringLiteral("S"));
    EXPECT_EQ(evaluate(QStringLiteral("[Name]")), QStringLiteral("SMITH, JOHN"));
    EXPECT_EQ(evaluate(QStringLiteral("name")), QStringLiteral("SMITH, JOHN"));
    EXPECT_EQ(evaluate(QStringLiteral("[First Name]")), QStringLiteral("John"));
    EXPECT_EQ(evaluate(QStringLiteral("COPY ( copy(Name, 8, 4) , 2 , 2 )")), QStringLiteral("OH"));
    EXPECT_EQ(evaluate(QStringLiteral("'It''s'")), QStringLiteral("It's"));
    EXPECT_EQ(Expression(QStringLiteral("copy(Name, 1, 1) ")).fieldNames(), QStringList { QStringLiteral("Name") });
}

TEST(Expression, CopyKeepsWithinTheText)
{
    EXPECT_EQ(evaluate(QStringLiteral("copy(Name, 8, 100)")), QStringLiteral("JOHN"));
    EXPECT_EQ(evaluate(QStringLiteral("copy(Name, 0, 2)")), QStringLiteral("SM"));
    EXPECT_EQ(evaluate(QStringLiteral("copy(Name, 12, 1)")), QString());
    EXPECT_EQ(evaluate(QStringLiteral("copy(Name, 1, 0)")), QString());
    EXPECT_EQ(evaluate(QStringLiteral("copy(Name, 1, 1)"), QString()), QString());
}

TEST(Expression, BadTextIsRefusedWhenBuilt)
{
    EXPECT_EQ(errorOf(QStringLiteral("upper(Name)")),
        QStringLiteral("Invalid expression \"upper(Name)\": unknown function 'upper' (at position 6)"));
    for (const QString& text : { QStringLiteral(""), QStringLiteral("copy(Name, 1)"), QStringLiteral("copy(Name, 1, 1"),
             QStringLiteral("copy(1, 1, 1)"), QStringLiteral("copy(Name, '1', 1)"), QStringLiteral("[Name"),
             QStringLiteral("Name Name"), QStringLiteral("'open"), QStringLiteral("12"),
             QStringLiteral("copy(Name; 1, 1)") }) {
        EXPECT_TRUE(errorOf(text).startsWith(QStringLiteral("Invalid expression \"%1\"").arg(text)))
            << text.toStdString();
    }

    // Building a layout reports it, long before anything prints.
    report::ReportLayout layout;
    EXPECT_THROW(layout.addGroupHeader(QStringLiteral("QRGroup1"), 0.42, QStringLiteral("copy(Name, 1)")), ReportError);
    EXPECT_THROW(
        report::Control::expression(QStringLiteral("QRExpr1"), QStringLiteral("copy(Name 1, 1)")), ReportError);
}
