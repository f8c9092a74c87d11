// Long phone numbers, names and departments in every list layout, printed to PDF and read back with pdftotext as
// a reader would read the page: every character of every value is there, inside its own column, above the footer.

#include "ListDirectory.h"
#include "ListLayout.h"

#include "listprint/reports/TQREmployeeExt.h"
#include "platform/report/LayoutEngine.h"
#include "platform/report/ReportOutput.h"

#include <QDate>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr double pointsPerInch = 72;
constexpr double tolerance = 0.5; // points: what pdftotext's word boxes may stray

struct Word
{
    int page;
    double left, top, right, bottom; // points
    QString text;
};

struct LayoutCase
{
    ListLayout list;
    double leftMargin;
    double detailFrom; // inches down: the rows start below the title and headings on the first page
    double detailFromLater; // ... and below the headings on the others
    double footerTop; // inches down, where the footer's room begins
    int rowsPerPage; // at least: rows that fit one page once they have grown
    bool twoColumns = false; // a second column of the page repeats the boxes further right
};

constexpr int rowCount = 45;

// Values longer than their boxes, at their fields' full size, by field: each row ends in its own number so that a
// row whose end went missing is seen.
QString longValue(const QString& field, int row)
{
    static const QHash<QString, QString> stems {
        { "Extension", "(555) 010-4700 EXT 70 OR 70" },
        { "MainExtension", "(555) 010-4700 EXT 70 OR 70" },
        { "Cellular", "(555) 012-3301 OR 33" },
        { "FaxNumber", "(555) 012-3301 OR 33" },
        { "Pager", "(555) 013-0061 PIN 61" },
        { "Address2", "(555) 013-0061 PIN 61" },
        { "Name", "WOLFESCHLEGELSTEINHAUSEN, MARIA " },
        { "Department", "ADMINISTRATION - NORTHERN REGION " },
        { "Title", "SENIOR VICE PRESIDENT OPERATIONS " },
        { "Address1", "SENIOR VICE PRESIDENT OPERATIONS " },
    };
    EXPECT_TRUE(stems.contains(field)) << field.toStdString();
    return stems.value(field) + QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

std::vector<ListDirectory::Employee> longEmployees()
{
    std::vector<ListDirectory::Employee> rows;
    for (int i = 0; i < rowCount; ++i) {
        rows.push_back({ longValue("Department", i), longValue("Name", i), longValue("Extension", i),
            longValue("Cellular", i), longValue("Pager", i), longValue("Title", i) });
    }
    return rows;
}

std::vector<ListDirectory::Department> longDepartments()
{
    std::vector<ListDirectory::Department> rows;
    for (int i = 0; i < rowCount; ++i) {
        rows.push_back({ longValue("Department", i), longValue("MainExtension", i), longValue("FaxNumber", i),
            longValue("Address1", i), longValue("Address2", i) });
    }
    return rows;
}

std::vector<LayoutCase> layoutCases()
{
    // The one-column layouts: 0.39 in margins, title 0.42, headings 0.28, footer 0.42 above the bottom margin.
    std::vector<LayoutCase> cases;
    for (ListLayout& list : ListLayout::oneColumnLists())
        cases.push_back({ std::move(list), 0.39, 0.39 + 0.42 + 0.28, 0.39 + 0.28, 11 - 0.39 - 0.42, 10 });
    // Two columns 3.59 in wide and 0.3 in apart, half-inch margins, title 0.68, headings 0.25, footer 0.27.
    const ListLayout extended { "TQREmployeeExt",
        [](db::DataSet& e, db::DataSet&) { return titled<TQREmployeeExt>(e, QStringLiteral("Staff")); },
        { { "Name", 0.01, "Name", 0.01, 1.33 }, { "Extension", 1.43, "Extension", 1.43, 0.92 },
            { "Title", 2.43, "Title", 2.42, 1.18 } },
        true, "Date:" };
    cases.push_back({ extended, 0.5, 0.5 + 0.68 + 0.25, 0.5 + 0.25, 11 - 0.5 - 0.27, 20, true });
    return cases;
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
        SCOPED_TRACE(layout.list.name);
        const auto employees = directory.employees();
        const auto departments = directory.departments();
        const auto report = layout.list.create(*employees, *departments);
        const QString pdf = output.filePath(QString::fromLatin1(layout.list.name) + QStringLiteral(".pdf"));
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
        for (const ListLayout::Column& column : layout.list.columns) {
            QString printed;
            for (const double shift : pageColumns) {
                const double left = (layout.leftMargin + shift + column.fieldLeft) * pointsPerInch;
                const double right = left + column.fieldWidth * pointsPerInch;
                QStringList overruns; // past the column's edge or into the footer
                for (const Word& w : columnWords(words, left, right, layout)) {
                    printed += w.text;
                    if (w.right > right + tolerance || w.bottom > layout.footerTop * pointsPerInch + tolerance)
                        overruns << QStringLiteral("%1 on page %2").arg(w.text).arg(w.page + 1);
                }
                EXPECT_TRUE(overruns.isEmpty()) << "outside the box at " << column.fieldLeft
                                                << " in: " << overruns.join(QStringLiteral(", ")).toStdString();
            }
            // Every row's value, whole and in order; the two-column list reads its first column, then its second.
            QString expected;
            for (int row = 0; row < rowCount; ++row)
                expected += withoutBlanks(longValue(column.field, row));
            if (pageColumns.size() == 1) {
                EXPECT_TRUE(withoutBlanks(printed).contains(expected))
                    << "printed: " << printed.toStdString() << "\nexpected: " << expected.toStdString();
            } else {
                for (int row = 0; row < rowCount; ++row) {
                    const QString value = withoutBlanks(longValue(column.field, row));
                    EXPECT_TRUE(printed.contains(value)) << value.toStdString();
                }
            }
        }
    }
}
