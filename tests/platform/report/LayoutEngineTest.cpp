#include "VectorRowSource.h"

#include "platform/report/LayoutEngine.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportLayout.h"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace report;

namespace {

// Letter, half-inch margins; a row is 0.25 in. The first page takes 35 rows below title and header, the others 37.
ReportLayout testLayout(int columns = 1, double groupHeight = 0)
{
    ReportLayout layout;
    PageSetup& setup = layout.pageSetup();
    setup.topMargin = setup.bottomMargin = setup.leftMargin = setup.rightMargin = 0.5;
    setup.columns = columns;
    setup.columnSpacing = 0.5;
    layout.addBand(Band::Kind::Title, "Title", 0.5).add(Control::label("LblTitle", "Staff").at(3, 0.05));
    layout.addBand(Band::Kind::ColumnHeader, "Header", 0.25).add(Control::label("Heading", "Name").at(0.1, 0));
    if (groupHeight > 0) {
        layout.addGroupHeader("Group", groupHeight, "copy(Name, 1, 1)")
            .add(Control::expression("Letter", "copy([Name], 1, 1)").at(0.1, 0));
    }
    layout.addBand(Band::Kind::Detail, "Detail", 0.25)
        .add(Control::dataField("TextName", "Name").at(0.1, 0.05).fixedSize(2, 0.2));
    Band& footer = layout.addBand(Band::Kind::PageFooter, "Footer", 0.5);
    footer.add(Control::systemData("Date", Control::SystemData::Date, "Date: ").at(0.1, 0.1));
    footer.add(Control::systemData("PageNo", Control::SystemData::PageNumber, "Page ")
                   .alignedToBand(Alignment::Right)
                   .at(0, 0.1));
    return layout;
}

std::vector<QStringList> names(int count, const QString& prefix = "N")
{
    std::vector<QStringList> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({ prefix + QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')) });
    return rows;
}

PageModel layOut(const ReportLayout& layout, std::vector<QStringList> rows, const QDate& date = QDate(2024, 3, 5))
{
    VectorRowSource source({ "Name" }, std::move(rows));
    LayoutEngine engine(layout, source, date);
    return *engine.run();
}

QStringList texts(const Page& page)
{
    QStringList result;
    for (int i = 0; i < page.itemCount(); ++i)
        result << page.text(i);
    return result;
}

int indexOf(const Page& page, const QString& text)
{
    return static_cast<int>(texts(page).indexOf(text));
}

QString dateText()
{
    return QStringLiteral("Date: ") + QLocale::system().toString(QDate(2024, 3, 5), QLocale::ShortFormat);
}

} // namespace

TEST(LayoutEngine, OnePageListHasNoFooter)
{
    const PageModel model = layOut(testLayout(), names(3));
    ASSERT_EQ(model.pageCount(), 1);
    EXPECT_EQ(texts(model.page(0)), (QStringList { "Staff", "Name", "N000", "N001", "N002" }));
    EXPECT_NEAR(model.page(0).box(indexOf(model.page(0), "N000")).top(), 1.3, 1e-5); // below title and header
}

TEST(LayoutEngine, FooterOnFinishedPagesAndTitleOnce)
{
    const PageModel model = layOut(testLayout(), names(40));
    ASSERT_EQ(model.pageCount(), 2);
    const QStringList first = texts(model.page(0));
    const QStringList second = texts(model.page(1));
    EXPECT_EQ(first.first(), "Staff");
    EXPECT_EQ(first.mid(2, 35), texts(layOut(testLayout(), names(35)).page(0)).mid(2));
    EXPECT_EQ(first.mid(37), (QStringList { dateText(), "Page 1" }));
    EXPECT_FLOAT_EQ(model.page(0).item(indexOf(model.page(0), dateText())).top, 10.1f); // at the foot of the page
    EXPECT_EQ(second, (QStringList { "Name", "N035", "N036", "N037", "N038", "N039" }));

    ReportLayout withFooter = testLayout();
    withFooter.setOptions(ReportOption::LastPageFooter);
    EXPECT_EQ(texts(layOut(withFooter, names(40)).page(1)).mid(6), (QStringList { dateText(), "Page 2" }));
    EXPECT_EQ(texts(layOut(withFooter, names(3)).page(0)).mid(5), (QStringList { dateText(), "Page 1" }));
}

TEST(LayoutEngine, TwoColumnsFillFirstThenSecondWithHeadersOnTop)
{
    const PageModel model = layOut(testLayout(2), names(150));
    ASSERT_EQ(model.pageCount(), 3); // 70, 74, 6 rows
    const Page& page = model.page(0);
    EXPECT_EQ(texts(page).count("Name"), 2);
    EXPECT_EQ(texts(model.page(1)).count("Name"), 2);
    EXPECT_EQ(texts(model.page(2)).count("Name"), 1); // the second column never started
    EXPECT_EQ(texts(model.page(1)).count("Staff"), 0);

    const QRectF firstRow = page.box(indexOf(page, "N000"));
    const QRectF lastOfColumn = page.box(indexOf(page, "N034"));
    const QRectF topOfSecond = page.box(indexOf(page, "N035"));
    EXPECT_NEAR(firstRow.left(), 0.6, 1e-5);
    EXPECT_NEAR(lastOfColumn.left(), 0.6, 1e-5);
    EXPECT_NEAR(topOfSecond.left(), 4.6, 1e-5); // 0.5 + 3.5 wide + 0.5 apart + 0.1
    EXPECT_DOUBLE_EQ(topOfSecond.top(), firstRow.top());
    EXPECT_NEAR(page.box(static_cast<int>(texts(page).lastIndexOf("Name"))).left(), 4.6, 1e-5);
    EXPECT_EQ(indexOf(model.page(1), "N070"), 1);
    EXPECT_NEAR(model.page(1).box(1).top(), 0.8, 1e-5); // no title on later pages
}

TEST(LayoutEngine, GroupHeaderOnChangeOnlyAndNotOnContinuationPage)
{
    std::vector<QStringList> rows = names(50, "A");
    for (const QStringList& row : names(3, "B"))
        rows.push_back(row);
    const PageModel model = layOut(testLayout(1, 0.5), rows);
    ASSERT_EQ(model.pageCount(), 2);
    EXPECT_EQ(texts(model.page(0)).mid(0, 4), (QStringList { "Staff", "Name", "A", "A000" }));
    EXPECT_EQ(texts(model.page(1)).mid(0, 2), (QStringList { "Name", "A033" })); // no second "A"
    EXPECT_EQ(texts(model.page(1)).count("A") + texts(model.page(0)).count("A"), 1);
    EXPECT_EQ(texts(model.page(1)).count("B"), 1);
    EXPECT_EQ(indexOf(model.page(1), "B") + 1, indexOf(model.page(1), "B000"));
}

TEST(LayoutEngine, GroupHeaderKeepsItsFirstRow)
{
    // 33 rows under a 0.25 in letter leave room for the letter "B" but not for its first row.
    std::vector<QStringList> rows = names(33, "A");
    rows.push_back({ "B000" });
    const PageModel model = layOut(testLayout(1, 0.25), rows);
    ASSERT_EQ(model.pageCount(), 2);
    EXPECT_EQ(texts(model.page(1)).mid(0, 3), (QStringList { "Name", "B", "B000" }));
}

TEST(LayoutEngine, EmptyRows)
{
    EXPECT_EQ(layOut(testLayout(), {}).pageCount(), 0);

    ReportLayout layout = testLayout(2);
    layout.setPrintIfEmpty(true);
    layout.setOptions(ReportOption::FirstPageHeader | ReportOption::LastPageFooter);
    const PageModel model = layOut(layout, {});
    ASSERT_EQ(model.pageCount(), 1);
    EXPECT_EQ(texts(model.page(0)), (QStringList { "Staff", "Name", dateText(), "Page 1" }));
}

TEST(LayoutEngine, TextsSizedToThemGrowRightOrSitAgainstTheBandEdge)
{
    ReportLayout layout = testLayout();
    layout.setOptions(ReportOption::LastPageFooter);
    const PageModel shortTitle = layOut(layout, names(1));
    layout.findControl("LblTitle")->setCaption("A much longer title for the staff");
    const PageModel longTitle = layOut(layout, names(1));

    const QRectF shortBox = shortTitle.page(0).box(0);
    const QRectF longBox = longTitle.page(0).box(0);
    EXPECT_NEAR(shortBox.left(), 3.5, 1e-5);
    EXPECT_NEAR(longBox.left(), 3.5, 1e-5);
    EXPECT_GT(longBox.width(), 3 * shortBox.width());
    EXPECT_FALSE(longTitle.style(longTitle.page(0).item(0).style).multiLine);

    const Page& page = longTitle.page(0);
    const QRectF pageNumber = page.box(indexOf(page, "Page 1"));
    EXPECT_NEAR(pageNumber.right(), 8.0, 1e-5); // the band's right edge
    EXPECT_GT(pageNumber.width(), 0.3);
}

TEST(LayoutEngine, LongValuesWrapAndGrowTheirRow)
{
    const QString value = "INTERNATIONAL SALES AND MARKETING DEPARTMENT";
    std::vector<QStringList> rows = names(40);
    rows[1] = { value };
    ReportLayout layout = testLayout();
    for (const bool wordWrap : { false, true }) {
        SCOPED_TRACE(wordWrap ? "word wrap on" : "word wrap off");
        layout.findControl("TextName")->wordWrapped(wordWrap);
        const PageModel pages = layOut(layout, rows);
        const Page& page = pages.page(0);
        const int at = indexOf(page, "N000") + 1;
        const QString text = page.text(at);
        // Two lines between words, every character kept, the box as wide as before and one line taller.
        EXPECT_EQ(text.count(u'\n'), 1) << text.toStdString();
        EXPECT_EQ(QString(text).replace(u'\n', u' '), value);
        EXPECT_TRUE(pages.style(page.item(at).style).multiLine);
        const QRectF box = page.box(at);
        EXPECT_NEAR(box.width(), 2.0, 1e-5);
        const double extraLine = box.height() - 0.2;
        EXPECT_GT(extraLine, 0.12);
        EXPECT_LT(extraLine, 0.2);
        // The rows below move down by that line, and one row less fits the page.
        EXPECT_NEAR(page.box(at + 1).top() - box.top(), 0.25 + extraLine, 1e-5);
        EXPECT_EQ(pages.page(1).text(1), "N034");
    }

    // A word wider than its box is broken inside; a value that fits stays on its line.
    layout.findControl("TextName")->fixedSize(0.5, 0.2);
    const QString word = "0123456789012345";
    const PageModel broken = layOut(layout, { { word }, { "N1" } });
    const QString lines = broken.page(0).text(2);
    EXPECT_GE(lines.count(u'\n'), 1);
    EXPECT_EQ(QString(lines).remove(u'\n'), word);
    EXPECT_EQ(broken.page(0).text(3), "N1");
    EXPECT_NEAR(broken.page(0).box(3).height(), 0.2, 1e-5);
}

TEST(LayoutEngine, BindsFieldsBeforeWalkingOnce)
{
    ReportLayout layout = testLayout(1, 0.5);
    VectorRowSource rows({ "Name" }, names(100));
    LayoutEngine engine(layout, rows);
    EXPECT_EQ(engine.run()->pageCount(), 3);
    EXPECT_EQ(rows.firstCalls, 1);
    EXPECT_EQ(rows.lookupsAfterFirst, 0);

    ReportLayout misspelt = testLayout();
    misspelt.addBand(Band::Kind::Detail, "More", 0.2).add(Control::dataField("TextTitle", "Titel"));
    VectorRowSource more({ "Name" }, names(3));
    try {
        LayoutEngine failing(misspelt, more);
        FAIL() << "a missing field was accepted";
    } catch (const ReportError& error) {
        EXPECT_EQ(error.message(), "TextTitle: the field 'Titel' does not exist");
    }
    EXPECT_EQ(more.firstCalls, 0);

    ReportLayout badGroup = testLayout();
    badGroup.addGroupHeader("QRGroup1", 0.4, "copy(Nme, 1, 1)");
    EXPECT_THROW(LayoutEngine(badGroup, more), ReportError);
}

TEST(LayoutEngine, ProgressCanCancel)
{
    VectorRowSource rows({ "Name" }, names(1000));
    const ReportLayout layout = testLayout();
    LayoutEngine engine(layout, rows);
    qint64 seen = 0;
    engine.setProgress(
        [&seen](int, qint64 done) {
            seen = done;
            return done < 200;
        },
        100);
    EXPECT_FALSE(engine.run().has_value());
    EXPECT_EQ(seen, 200);
}

TEST(LayoutEngine, HandsOutOnePageAtATimeAndWaitsBetweenPages)
{
    std::vector<QStringList> rows = names(100, "A");
    for (const QStringList& row : names(200, "B"))
        rows.push_back(row);
    const ReportLayout layout = testLayout(2, 0.5);
    const PageModel whole = layOut(layout, rows);
    ASSERT_EQ(whole.pageCount(), 5);

    VectorRowSource source({ "Name" }, rows);
    LayoutEngine engine(layout, source, QDate(2024, 3, 5));
    EXPECT_EQ(source.firstCalls, 0); // nothing is walked before a page is asked for
    for (int i = 0; i < whole.pageCount(); ++i) {
        SCOPED_TRACE(i);
        const std::optional<Page> page = engine.nextPage();
        ASSERT_TRUE(page);
        EXPECT_EQ(texts(*page), texts(whole.page(i)));
        for (int item = 0; item < page->itemCount(); ++item)
            EXPECT_EQ(page->box(item), whole.page(i).box(item));
        // The walk stopped just past the row that opened the next page, and waits there.
        if (i + 1 < whole.pageCount()) {
            const QString firstOfNext = texts(whole.page(i + 1)).filter(QRegularExpression("^[AB]\\d")).first();
            EXPECT_EQ(rows.at(source.position() - 1).first(), firstOfNext);
        }
    }
    EXPECT_FALSE(engine.nextPage());
    EXPECT_FALSE(engine.nextPage());
    EXPECT_EQ(engine.pagesDone(), 5);
    EXPECT_FALSE(engine.cancelled());
    EXPECT_EQ(source.firstCalls, 1);
    EXPECT_THROW(engine.run(), ReportError); // a walk is not repeated
}
