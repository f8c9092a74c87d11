#include "ListDirectory.h"
#include "ListLayout.h"
#include "ScopedEnvironmentVariable.h"
#include "TestPrinters.h"

#include "listprint/reports/TQRDepartment.h"
#include "listprint/reports/TQREmployeeExt.h"
#include "listprint/reports/TQREmployeeList.h"
#include "listprint/reports/TQRSelectDepartment.h"
#include "listprint/reports/TQRShortList.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportOutput.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

using report::PageModel;

namespace {

const QDate printDate(2024, 3, 5);

QString date()
{
    return QLocale::system().toString(printDate, QLocale::ShortFormat);
}

std::vector<ListDirectory::Employee> staff(int count)
{
    std::vector<ListDirectory::Employee> rows;
    for (int i = 0; i < count; ++i) {
        const QChar letter(u'A' + i % 26);
        rows.push_back(
            { QStringLiteral("SALES"), QStringLiteral("%1OWEN %2, ANN").arg(letter).arg(i, 2, 10, QLatin1Char('0')),
                QStringLiteral("44%1*").arg(i), QStringLiteral("555-01%1").arg(i), QStringLiteral("PG %1").arg(i),
                QStringLiteral("CLERK %1").arg(i) });
    }
    return rows;
}

QStringList texts(const report::Page& page)
{
    QStringList result;
    for (int i = 0; i < page.itemCount(); ++i)
        result << page.text(i);
    return result;
}

const report::PageItem& itemWith(const report::Page& page, const QString& text)
{
    const qsizetype index = texts(page).indexOf(text);
    EXPECT_GE(index, 0) << text.toStdString();
    return page.item(static_cast<int>(std::max<qsizetype>(index, 0)));
}

const ListDirectory::Employee adams { "ENGINEERING", "ADAMS, ANN", "4411*", "555-0101", "555-0202", "CONTROLLER" };
const ListDirectory::Department engineering { "ENGINEERING", "4000", "4001", "1 Main St", "Floor 2" };
// The one row's value of each field the lists print: Adams's, or the department's.
const QHash<QString, QString> adamsRow { { "Name", adams.name }, { "Extension", adams.extension },
    { "Cellular", adams.cellular }, { "Pager", adams.pager }, { "Department", adams.department },
    { "Title", adams.title }, { "MainExtension", engineering.mainExtension }, { "FaxNumber", engineering.faxNumber },
    { "Address1", engineering.address1 }, { "Address2", engineering.address2 } };

PageModel pagesOf(const ListLayout& list, const ListDirectory& directory)
{
    const auto employees = directory.employees();
    const auto departments = directory.departments();
    return list.create(*employees, *departments)->buildPages(printDate);
}

} // namespace

TEST(ListLayouts, OneColumnListsPlaceEveryColumn)
{
    const ListDirectory directory({ adams }, { engineering });
    for (const ListLayout& list : ListLayout::oneColumnLists()) {
        SCOPED_TRACE(list.name);
        const PageModel pages = pagesOf(list, directory);
        ASSERT_EQ(pages.pageCount(), 1);
        const report::Page& page = pages.page(0);

        const QString title = QString::fromLatin1(list.name) == "TQRDepartment" ? "Department Listing" : "Staff";
        const report::PageItem& titleItem = page.item(0);
        EXPECT_EQ(page.text(0), title);
        EXPECT_FLOAT_EQ(titleItem.left, 0.39f + 3.08f);
        EXPECT_EQ(pages.style(titleItem.style).font, (report::TextFont { .pointSize = 14, .bold = true }));

        const double detailTop = 0.39 + 0.42 + 0.28 + (list.group ? 0.42 : 0) + 0.08;
        for (const ListLayout::Column& column : list.columns) {
            const report::PageItem& heading = itemWith(page, column.heading);
            EXPECT_NEAR(heading.left, 0.39 + column.headingLeft, 1e-5) << column.heading.toStdString();
            EXPECT_NEAR(heading.top, 0.39 + 0.42 + 0.04, 1e-5);
            EXPECT_EQ(pages.style(heading.style).font,
                (report::TextFont { .pointSize = 12, .bold = true, .underline = true, .colour = 0xff0000ff }));

            const report::PageItem& field = itemWith(page, adamsRow.value(column.field));
            EXPECT_NEAR(field.left, 0.39 + column.fieldLeft, 1e-5) << column.heading.toStdString();
            EXPECT_NEAR(field.width, column.fieldWidth, 1e-5);
            EXPECT_NEAR(field.top, detailTop, 1e-5);
            EXPECT_NEAR(field.height, 0.18, 1e-5);
            EXPECT_EQ(pages.style(field.style).font, report::TextFont {});
            EXPECT_TRUE(pages.style(field.style).multiLine); // a value too long for its box wraps
        }
        if (list.group) { // the red letter that the names below begin with
            const report::PageItem& letter = itemWith(page, "A");
            EXPECT_NEAR(letter.left, 0.39 + 0.17, 1e-5);
            EXPECT_EQ(pages.style(letter.style).font,
                (report::TextFont { .pointSize = 14, .bold = true, .colour = 0xffff0000 }));
        }
        // One page: neither date, legend nor page number.
        EXPECT_EQ(page.itemCount(), 11 + (list.group ? 1 : 0));
    }
}

TEST(ListLayouts, OneColumnFootersOnAllButTheLastPage)
{
    std::vector<ListDirectory::Department> manyDepartments;
    for (int i = 0; i < 45; ++i)
        manyDepartments.push_back({ QStringLiteral("DEPT %1").arg(i, 2, 10, QLatin1Char('0')), "1", "2", "3", "4" });
    const ListDirectory directory(staff(45), manyDepartments);
    for (const ListLayout& list : ListLayout::oneColumnLists()) {
        SCOPED_TRACE(list.name);
        const PageModel pages = pagesOf(list, directory);
        ASSERT_GE(pages.pageCount(), 2);
        const report::Page& first = pages.page(0);
        const QStringList footer = texts(first).mid(first.itemCount() - 3);
        EXPECT_EQ(footer, (QStringList { list.dateText + date(), "* Has Voice Mail", "Page:  1" }));
        const double footerTop = 11 - 0.39 - 0.42 + 0.17;
        EXPECT_NEAR(itemWith(first, footer[0]).left, 0.39 + 0.08, 1e-5);
        EXPECT_NEAR(itemWith(first, footer[1]).left, 0.39 + 3.40, 1e-5);
        EXPECT_NEAR(itemWith(first, footer[2]).left, 0.39 + 6.65, 1e-5);
        EXPECT_NEAR(itemWith(first, footer[2]).top, footerTop, 1e-5);

        const QStringList last = texts(pages.page(pages.pageCount() - 1));
        EXPECT_FALSE(last.contains("* Has Voice Mail"));
        EXPECT_FALSE(last.contains(QStringLiteral("Page:  %1").arg(pages.pageCount())));
        EXPECT_FALSE(last.contains("Staff"));
    }
}

TEST(ListLayouts, EmptyListsPrintNothingButTheExtendedOne)
{
    const ListDirectory directory({});
    for (const ListLayout& list : ListLayout::oneColumnLists())
        EXPECT_EQ(pagesOf(list, directory).pageCount(), 0) << list.name;
    const auto employees = directory.employees();
    const PageModel pages = titled<TQREmployeeExt>(*employees, QStringLiteral("Extended"))->buildPages(printDate);
    ASSERT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(texts(pages.page(0)),
        (QStringList { "Extended", "Name", "Extension", "Title", QStringLiteral("Date:") + date(), "Page 1" }));
}

TEST(ListLayouts, ExtendedListFillsTwoColumnsWithFootersEverywhere)
{
    const ListDirectory directory(staff(150));
    const auto employees = directory.employees();
    const PageModel pages
        = titled<TQREmployeeExt>(*employees, QStringLiteral("Extended Employee Listing"))->buildPages(printDate);
    ASSERT_GE(pages.pageCount(), 2);
    for (int i = 0; i < pages.pageCount(); ++i) {
        const report::Page& page = pages.page(i);
        const QString number = QStringLiteral("Page %1").arg(i + 1);
        EXPECT_NEAR(itemWith(page, number).left + itemWith(page, number).width, 8.0, 1e-4);
        EXPECT_NEAR(itemWith(page, QStringLiteral("Date:") + date()).left, 0.58, 1e-5);
    }

    const report::Page& first = pages.page(0);
    EXPECT_NEAR(itemWith(first, "Extended Employee Listing").left, 0.5 + 2.34, 1e-5);
    EXPECT_EQ(pages.style(first.item(0).style).font, (report::TextFont { .pointSize = 20, .bold = true }));
    // Headings in both columns: fixed navy boxes, not underlined.
    std::vector<float> headingLefts;
    for (int i = 0; i < first.itemCount(); ++i) {
        if (first.text(i) == "Title") {
            headingLefts.push_back(first.item(i).left);
            EXPECT_EQ(pages.style(first.item(i).style).font,
                (report::TextFont { .pointSize = 12, .bold = true, .colour = 0xff000080 }));
            EXPECT_NEAR(first.item(i).width, 1.17, 1e-5);
        }
    }
    ASSERT_EQ(headingLefts.size(), 2u);
    EXPECT_NEAR(headingLefts[0], 0.5 + 2.43, 1e-5);
    EXPECT_NEAR(headingLefts[1], 0.5 + 3.6 + 0.3 + 2.43, 1e-5);

    const report::PageItem& firstName = itemWith(first, "AOWEN 00, ANN");
    EXPECT_NEAR(firstName.left, 0.51, 1e-5);
    EXPECT_NEAR(firstName.width, 1.33, 1e-5);
    EXPECT_EQ(pages.style(firstName.style).font, (report::TextFont { .pointSize = 8 }));
    const report::PageItem& letter = itemWith(first, "A");
    EXPECT_EQ(
        pages.style(letter.style).font, (report::TextFont { .pointSize = 16, .bold = true, .colour = 0xffff0000 }));
    EXPECT_LT(letter.top, firstName.top);
}

TEST(ListLayouts, TitlesAreSetBeforeARun)
{
    const ListDirectory directory({ adams }, { engineering });
    auto employees = directory.employees();
    auto departments = directory.departments();

    TQRDepartment departmentList(*departments);
    EXPECT_EQ(departmentList.buildPages(printDate).page(0).text(0), "Department Listing");
    EXPECT_EQ(departmentList.layout().findControl("QRLabelTitle"), &departmentList.QRLabelTitle());

    TQREmployeeList list(*employees);
    EXPECT_EQ(list.layout().findControl("LblReportTitle"), &list.LblReportTitle());
    ASSERT_TRUE(list.layout().findControl("QRExpr1"));
    ASSERT_TRUE(list.layout().findControl("QRLabel6"));
    list.LblReportTitle().setCaption(QStringLiteral("A title far longer than the one the list usually carries"));
    const PageModel pages = list.buildPages(printDate);
    const report::PageItem& title = pages.page(0).item(0);
    EXPECT_NEAR(title.left, 0.39 + 3.08, 1e-5); // grows to the right, not centred
    EXPECT_GT(title.left + title.width, 8.5 - 0.39);

    TQREmployeeExt extended(*employees);
    ASSERT_TRUE(extended.layout().findControl("QRExpr4"));
    EXPECT_EQ(extended.layout().findControl("LblReportTitle"), &extended.LblReportTitle());
}

TEST(ListLayouts, ClosedDataSetIsAnError)
{
    const ListDirectory directory({ adams });
    auto employees = directory.employees();
    employees->Close();
    TQRShortList layout(*employees);
    EXPECT_EQ(failureOf<report::ReportError>([&layout] { layout.buildPages(); }),
        "Cannot print: the data set QryEmployee is not open");
}

TEST(ListLayouts, PrintsToPdf)
{
    const ListDirectory directory(staff(60));
    QTemporaryDir output;
    const QString path = output.filePath(QStringLiteral("list.pdf"));
    const ScopedEnvironmentVariable printToPdf(report::ReportOutput::printToPdfVariable, path);
    const auto employees = directory.employees();
    const auto layout = titled<TQREmployeeList>(*employees, QStringLiteral("All Employees"));
    EXPECT_EQ(layout->Print(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    const int pages = layout->buildPages().pageCount();
    EXPECT_GE(pages, 2);
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), pages);
}
