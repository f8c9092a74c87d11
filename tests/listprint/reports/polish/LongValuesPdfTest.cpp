// Long phone numbers, names and departments in every list layout, printed to PDF and read back with pdftotext as
// a reader would read the page: every character of every value is there, inside its own column, above the footer.

#include "ListDirectory.h"

#include "listprint/reports/TQRDepartment.h"
#include "listprint/reports/TQREmployeeExt.h"
#include "listprint/reports/TQREmployeeList.h"
#include "listprint/reports/TQRSelectDepartment.h"
#include "listprint/reports/TQRShortList.h"
#include "platform/report/LayoutEngine.h"
#include "platform/report/ReportOutput.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

constexpr double pointsPerInch = 72;
constexpr double tolerance = 0.5; // points: what pdftotext's word boxes may stray

struct Word
{
    int page;
    double left, top, right, bottom; // points
    QString text;
};

// A value's box across the page, and the rows' values in it.
struct ColumnBox
{
    double left; // inches from the paper's left edge
    double width;
    QString value;
};

struct LayoutCase
{
    const char* name;
    std::function<std::unique_ptr<report::Report>(db::DataSet& employees, db::DataSet& departments)> create;
    double leftMargin;
    double detailFrom; // inches down: the rows start below the title and headings on the first page
    double detailFromLater; // ... and below the headings on the others
    double footerTop; // inches down, where the footer's room begins
    std::function<std::vector<ColumnBox>(int row)> boxes; // per row; a second column of the page shifts them
    int rowsPerPage; // at least: rows that fit one page once they have grown
    bool twoColumns = false;
};

// Values longer than their boxes, at their fields' full size: each row ends in its own number so that a row whose
// end went missing is seen.
QString number(int row)
{
    return QStringLiteral("(555) 010-4700 EXT 70 OR 70%1").arg(row, 2, 10, QLatin1Char('0'));
}
QString cellular(int row)
{
    return QStringLiteral("(555) 012-3301 OR 33%1").arg(row, 2, 10, QLatin1Char('0'));
}
QString pager(int row)
{
    return QStringLiteral("(555) 013-0061 PIN 61%1").arg(row, 2, 10, QLatin1Char('0'));
}
QString name(int row)
{
    return QStringLiteral("WOLFESCHLEGELSTEINHAUSEN, MARIA %1").arg(row, 2, 10, QLatin1Char('0'));
}
QString department(int row)
{
    return QStringLiteral("ADMINISTRATION - NORTHERN REGION %1").arg(row, 2, 10, QLatin1Char('0'));
}
QString title(int row)
{
    return QStringLiteral("SENIOR VICE PRESIDENT OPERATIONS %1").arg(row, 2, 10, QLatin1Char('0'));
}

constexpr int rowCount = 45;

std::vector<ListDirectory::Employee> longEmployees()
{
    std::vector<ListDirectory::Employee> rows;
    for (int i = 0; i < rowCount; ++i)
        rows.push_back({ department(i), name(i), number(i), cellular(i), pager(i), title(i) });
    return rows;
}

std::vector<ListDirectory::Department> longDepartments()
{
    std::vector<ListDirectory::Department> rows;
    for (int i = 0; i < rowCount; ++i)
        rows.push_back({ department(i), number(i), cellular(i), title(i), pager(i) });
    return rows;
}

template <typename Layout> std::unique_ptr<report::Report> titled(db::DataSet& rows)
{
    auto layout = std::make_unique<Layout>(rows);
    if constexpr (std::is_same_v<Layout, TQRSelectDepartment>)
        layout->QRLabelTitle().setCaption(QStringLiteral("Staff"));
    else
        layout->LblReportTitle().setCaption(QStringLiteral("Staff"));
    return layout;
}

std::vector<LayoutCase> layoutCases()
{
    // The one-column layouts: 0.39 in margins, title 0.42, headings 0.28, footer 0.42 above the bottom margin.
    constexpr double from = 0.39 + 0.42 + 0.28;
    constexpr double later = 0.39 + 0.28;
    constexpr double footer = 11 - 0.39 - 0.42;
    return {
        { "TQREmployeeList", [](db::DataSet& e, db::DataSet&) { return titled<TQREmployeeList>(e); }, 0.39, from, later,
            footer,
            [](int r) {
                return std::vector<ColumnBox> { { 0.08, 2.09, name(r) }, { 2.33, 1.43, number(r) },
                    { 3.91, 0.90, cellular(r) }, { 4.99, 0.82, pager(r) }, { 5.92, 1.61, department(r) } };
            },
            10 },
        { "TQRShortList", [](db::DataSet& e, db::DataSet&) { return titled<TQRShortList>(e); }, 0.39, from, later,
            footer,
            [](int r) {
                return std::vector<ColumnBox> { { 0.08, 2.09, name(r) }, { 2.33, 1.43, number(r) },
                    { 3.92, 1.61, department(r) }, { 5.70, 0.90, cellular(r) }, { 6.78, 0.82, pager(r) } };
            },
            10 },
        { "TQRSelectDepartment", [](db::DataSet& e, db::DataSet&) { return titled<TQRSelectDepartment>(e); }, 0.39,
            from, later, footer,
            [](int r) {
                return std::vector<ColumnBox> { { 0.08, 2.09, name(r) }, { 2.33, 1.43, number(r) },
                    { 3.92, 1.59, title(r) }, { 5.70, 0.90, cellular(r) }, { 6.78, 0.82, pager(r) } };
            },
            10 },
        { "TQRDepartment", [](db::DataSet&, db::DataSet& d) { return std::make_unique<TQRDepartment>(d); }, 0.39, from,
            later, footer,
            [](int r) {
                return std::vector<ColumnBox> { { 0.08, 2.09, department(r) }, { 2.33, 1.18, number(r) },
                    { 3.67, 0.96, cellular(r) }, { 4.86, 1.59, title(r) }, { 6.62, 1.09, pager(r) } };
            },
            10 },
        // Two columns 3.59 in wide and 0.3 in apart, half-inch margins, title 0.68, headings 0.25, footer 0.27.
        { "TQREmployeeExt", [](db::DataSet& e, db::DataSet&) { return titled<TQREmployeeExt>(e); }, 0.5,
            0.5 + 0.68 + 0.25, 0.5 + 0.25, 11 - 0.5 - 0.27,
            [](int r) {
                return std::vector<ColumnBox> { { 0.01, 1.33, name(r) }, { 1.43, 0.92, number(r) },
                    { 2.42, 1.18, title(r) } };
            },
            20, true },
    };
}

// The words of a PDF with their boxes, as pdftotext finds them.
std::vector<Word> pdfWords(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), pdf, QStringLiteral("-") });
    EXPECT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (Debian package poppler-utils) did not run";
    EXPECT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression token(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Word> words;
    int page = -1;
    for (auto match = token.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words.push_back({ page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
            m.captured(4).toDouble(), m.captured(5) });
    }
    return words;
}

// The words that start inside a box across the page, between the headings and the footer, in reading order: what a
// reader finds in that column of the list.
std::vector<Word> columnWords(std::vector<Word> words, double left, double right, const LayoutCase& layout)
{
    std::erase_if(words, [&](const Word& w) {
        const double detailTop = (w.page == 0 ? layout.detailFrom : layout.detailFromLater) * pointsPerInch;
        return w.left < left - tolerance || w.left > right || w.top < detailTop - tolerance
            || w.top >= layout.footerTop * pointsPerInch;
    });
    std::sort(words.begin(), words.end(),
        [](const Word& a, const Word& b) { return std::tie(a.page, a.top, a.left) < std::tie(b.page, b.top, b.left); });
    return words;
}

QString withoutBlanks(QString text)
{
    return text.remove(u' ');
}

} // namespace

TEST(LongValuesPdf, EveryLayoutPrintsEveryCharacterInsideItsColumn)
{
    const ListDirectory directory(longEmployees(), longDepartments());
    QTemporaryDir output;
    for (const LayoutCase& layout : layoutCases()) {
        SCOPED_TRACE(layout.name);
        auto employees = directory.employees();
        auto departments = directory.departments();
        const auto report = layout.create(*employees, *departments);
        const QString pdf = output.filePath(QString::fromLatin1(layout.name) + QStringLiteral(".pdf"));
        report::ReportOutput::writePdf(*report->layOut(QDate(2024, 3, 5)), pdf);
        const std::vector<Word> words = pdfWords(pdf);
        ASSERT_FALSE(words.empty());
        const int pages = words.back().page + 1;
        // The rows grew, so the list takes more pages, but not one a row.
        EXPECT_GE(pages, 2);
        EXPECT_LE(pages, rowCount / layout.rowsPerPage + 1);

        // Both columns of a two-column page hold the same boxes, 3.89 in apart.
        const std::vector<double> pageColumns
            = layout.twoColumns ? std::vector<double> { 0, 3.59 + 0.3 } : std::vector<double> { 0 };
        for (size_t box = 0; box < layout.boxes(0).size(); ++box) {
            QString printed;
            for (const double shift : pageColumns) {
                const ColumnBox column = layout.boxes(0)[box];
                const double left = (layout.leftMargin + shift + column.left) * pointsPerInch;
                const double right = left + column.width * pointsPerInch;
                QStringList overruns; // past the column's edge or into the footer
                for (const Word& w : columnWords(words, left, right, layout)) {
                    printed += w.text;
                    if (w.right > right + tolerance || w.bottom > layout.footerTop * pointsPerInch + tolerance)
                        overruns << QStringLiteral("%1 on page %2").arg(w.text).arg(w.page + 1);
                }
                EXPECT_TRUE(overruns.isEmpty()) << "outside the box at " << column.left
                                                << " in: " << overruns.join(QStringLiteral(", ")).toStdString();
            }
            // Every row's value, whole and in order; the two-column list reads its first column, then its second.
            QString expected;
            for (int row = 0; row < rowCount; ++row)
                expected += withoutBlanks(layout.boxes(row)[box].value);
            if (pageColumns.size() == 1) {
                EXPECT_TRUE(withoutBlanks(printed).contains(expected))
                    << "printed: " << printed.toStdString() << "\nexpected: " << expected.toStdString();
            } else {
                for (int row = 0; row < rowCount; ++row) {
                    const QString value = withoutBlanks(layout.boxes(row)[box].value);
                    EXPECT_TRUE(printed.contains(value)) << value.toStdString();
                }
            }
        }
    }
}
