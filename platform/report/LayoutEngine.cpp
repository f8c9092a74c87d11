#include "platform/report/LayoutEngine.h"

#include "platform/report/ReportError.h"
#include "platform/report/ReportLayout.h"
#include "platform/report/RowSource.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QTextLayout>

#include <algorithm>

namespace report {

namespace {

// Texts are measured at this many units per inch with unhinted fonts, so that widths do not depend on a screen.
constexpr double measureUnitsPerInch = 7200.0;
constexpr double slack = 1e-6; // inches; sums of band heights must not break a page by rounding

QString trimmedRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace

struct LayoutEngine::ControlPlan
{
    ControlPlan(const Control& c, const QFont& f, quint16 s)
        : control(&c)
        , font(f)
        , metrics(f)
        , style(s)
    {
    }

    const Control* control;
    QFont font; // at measuring size
    QFontMetricsF metrics;
    quint16 style;
    int fieldIndex = -1;
    std::vector<int> expressionFields;

    double lineHeight() const { return metrics.height() / measureUnitsPerInch; }
    double lineSpacing() const { return metrics.lineSpacing() / measureUnitsPerInch; }
    double width(const QString& text) const { return metrics.horizontalAdvance(text) / measureUnitsPerInch; }
    double boxHeight() const { return control->height() > 0 ? control->height() : lineHeight(); }

    // Whether the text fits the fixed box on one line. Short plain texts fit by their length alone: measuring
    // every value of a million rows would cost more than laying them out.
    bool fitsOneLine(const QString& text) const
    {
        const double boxWidth = control->width() * measureUnitsPerInch;
        bool plain = text.size() * widestAsciiAdvance <= boxWidth;
        for (qsizetype i = 0; plain && i < text.size(); ++i)
            plain = text.at(i).unicode() >= u' ' && text.at(i).unicode() <= u'~';
        return plain || (!text.contains(u'\n') && metrics.horizontalAdvance(text) <= boxWidth);
    }

    double widestAsciiAdvance = 0; // of the printable ASCII characters
};

// A band's texts for the current row, and how tall the band grows to hold them.
struct LayoutEngine::BandTexts
{
    std::vector<QString> texts; // per control; wrapped into lines for fixed boxes
    std::vector<double> heights; // per control: the box's height with its further lines
    double height = 0;
    int pageNumber = 0; // the page the texts were made for
};

struct LayoutEngine::BandPlan
{
    const Band* band;
    std::vector<ControlPlan> controls;
    std::vector<int> groupFields;
};

LayoutEngine::LayoutEngine(const ReportLayout& layout, RowSource& rows, const QDate& printDate)
    : m_layout(layout)
    , m_rows(rows)
    , m_dateText(QLocale::system().toString(printDate, QLocale::ShortFormat))
    , m_format(layout.pageSetup().paperSize, layout.pageSetup().orientation)
{
    const PageSetup& setup = layout.pageSetup();
    m_format.setTitle(layout.title());
    m_format.setPaperBin(setup.paperBin);

    const auto bindFields = [&rows](const Expression& expression, const QString& owner) {
        std::vector<int> indexes;
        for (const QString& name : expression.fieldNames()) {
            const int index = rows.fieldIndex(name);
            if (index < 0)
                throw ReportError(QStringLiteral("%1: the field '%2' of the expression \"%3\" does not exist")
                                      .arg(owner, name, expression.text()));
            indexes.push_back(index);
        }
        return indexes;
    };

    for (const Band& band : layout.bands()) {
        BandPlan plan { &band, {}, {} };
        if (band.groupExpression())
            plan.groupFields = bindFields(*band.groupExpression(), band.name());
        for (const Control& control : band.controls()) {
            TextStyle style;
            style.font = control.font().value_or(layout.baseFont());
            style.alignment = control.alignment();
            style.multiLine = !control.autoSize();
            QFont measureFont = style.font.toQFont();
            measureFont.setPixelSize(std::max(1, qRound(style.font.pointSize * measureUnitsPerInch / 72.0)));
            ControlPlan& controlPlan = plan.controls.emplace_back(control, measureFont, m_format.addStyle(style));
            for (char16_t c = u' '; c <= u'~'; ++c)
                controlPlan.widestAsciiAdvance
                    = std::max(controlPlan.widestAsciiAdvance, controlPlan.metrics.horizontalAdvance(QChar(c)));
            if (control.kind() == Control::Kind::DataField) {
                controlPlan.fieldIndex = rows.fieldIndex(control.fieldName());
                if (controlPlan.fieldIndex < 0)
                    throw ReportError(
                        QStringLiteral("%1: the field '%2' does not exist").arg(control.name(), control.fieldName()));
            } else if (control.kind() == Control::Kind::Expression) {
                controlPlan.expressionFields = bindFields(*control.expressionValue(), control.name());
            }
        }
        switch (band.kind()) {
        case Band::Kind::Title:
            m_titles.push_back(std::move(plan));
            break;
        case Band::Kind::ColumnHeader:
            m_columnHeaders.push_back(std::move(plan));
            break;
        case Band::Kind::GroupHeader:
            m_groups.push_back(std::move(plan));
            break;
        case Band::Kind::Detail:
            m_details.push_back(std::move(plan));
            break;
        case Band::Kind::PageFooter:
            m_footers.push_back(std::move(plan));
            break;
        }
    }

    double footerHeight = 0;
    for (const BandPlan& footer : m_footers)
        footerHeight += footer.band->height();
    m_bottom = setup.pageSize().height() - setup.bottomMargin - footerHeight;
}

LayoutEngine::~LayoutEngine() = default;

void LayoutEngine::setProgress(Progress progress, int everyRows)
{
    m_progress = std::move(progress);
    m_progressEvery = std::max(1, everyRows);
}

std::optional<PageModel> LayoutEngine::run()
{
    if (m_stage != Stage::NotStarted)
        throw ReportError(QStringLiteral("A layout run cannot be repeated"));
    PageModel model(m_format);
    while (std::optional<Page> page = nextPage())
        model.addPage(std::move(*page));
    if (m_cancelled)
        return std::nullopt;
    return model;
}

std::optional<Page> LayoutEngine::nextPage()
{
    if (m_stage == Stage::NotStarted)
        start();
    while (m_stage == Stage::Walking && !m_finished) {
        if (m_rows.eof()) {
            finishPage(true);
            m_stage = Stage::Done;
            break;
        }
        layOutRow();
        ++m_rowCount;
        m_rows.next();
        if (m_progress && m_rowCount % m_progressEvery == 0 && !m_progress(m_pageNumber, m_rowCount)) {
            m_cancelled = true;
            m_stage = Stage::Done;
            m_finished.reset();
            m_page.reset();
        }
    }
    if (m_finished)
        ++m_pagesDone;
    return std::exchange(m_finished, std::nullopt);
}

void LayoutEngine::start()
{
    m_stage = Stage::Done; // stays so when the rows fail to open
    m_rows.first();
    if (m_rows.eof()) {
        if (m_layout.printIfEmpty()) {
            startPage();
            finishPage(true);
        }
        return;
    }
    m_groupValues.assign(m_groups.size(), QString());
    m_firstRow = true;
    startPage();
    m_stage = Stage::Walking;
}

void LayoutEngine::layOutRow()
{
    // A changed group prints its header and the headers of the groups inside it.
    size_t firstChanged = m_groups.size();
    for (size_t i = 0; i < m_groups.size(); ++i) {
        QString value = m_groups[i].band->groupExpression()->evaluate(m_rows, m_groups[i].groupFields);
        if ((m_firstRow || value != m_groupValues[i]) && firstChanged == m_groups.size())
            firstChanged = i;
        m_groupValues[i] = std::move(value);
    }

    // The row's bands with their texts: a value too long for its box makes its band taller.
    std::vector<std::pair<const BandPlan*, BandTexts>> bands;
    for (size_t i = firstChanged; i < m_groups.size(); ++i)
        bands.emplace_back(&m_groups[i], textsOf(m_groups[i]));
    for (const BandPlan& detail : m_details)
        bands.emplace_back(&detail, textsOf(detail));

    // A group header keeps its first row with it rather than stand alone at the foot of a column.
    double needed = 0;
    for (const auto& [band, texts] : bands)
        needed += texts.height;
    ensureRoom(needed);

    for (auto& [band, texts] : bands) {
        if (texts.pageNumber != m_pageNumber)
            texts = textsOf(*band); // a page number in a row's band counts the page it lands on
        placeInColumn(*band, texts);
    }
    m_firstRow = false;
}

void LayoutEngine::startPage()
{
    const PageSetup& setup = m_layout.pageSetup();
    m_page.emplace();
    ++m_pageNumber;
    m_column = 0;
    m_y = setup.topMargin;
    if (m_pageNumber == 1) {
        for (const BandPlan& title : m_titles) {
            const BandTexts texts = textsOf(title);
            place(title, texts, setup.leftMargin, m_y, setup.printableWidth());
            m_y += texts.height;
        }
    }
    m_columnTop = m_y;
    startColumn();
}

void LayoutEngine::startColumn()
{
    m_y = m_columnTop;
    for (const BandPlan& header : m_columnHeaders)
        placeInColumn(header, textsOf(header));
    m_columnFresh = true;
}

void LayoutEngine::finishPage(bool last)
{
    if (!last || m_layout.options().testFlag(ReportOption::LastPageFooter)) {
        const PageSetup& setup = m_layout.pageSetup();
        double y = m_bottom;
        // Footers keep their height: their room at the foot of the page is set aside before the walk.
        for (const BandPlan& footer : m_footers) {
            place(footer, textsOf(footer), setup.leftMargin, y, setup.printableWidth());
            y += footer.band->height();
        }
    }
    m_page->squeeze();
    m_finished = std::exchange(m_page, std::nullopt);
}

void LayoutEngine::nextColumn()
{
    if (m_column + 1 < m_layout.pageSetup().columns) {
        ++m_column;
        startColumn();
    } else {
        finishPage(false);
        startPage();
    }
}

void LayoutEngine::ensureRoom(double height)
{
    // A fresh column takes the bands even when they do not fit: a taller column would never come.
    if (m_y + height > m_bottom + slack && !m_columnFresh)
        nextColumn();
}

void LayoutEngine::placeInColumn(const BandPlan& band, const BandTexts& texts)
{
    const PageSetup& setup = m_layout.pageSetup();
    place(band, texts, setup.columnLeft(m_column), m_y, setup.columnWidth());
    m_y += texts.height;
    if (band.band->kind() != Band::Kind::ColumnHeader)
        m_columnFresh = false;
}

LayoutEngine::BandTexts LayoutEngine::textsOf(const BandPlan& band) const
{
    BandTexts result;
    result.pageNumber = m_pageNumber;
    result.texts.reserve(band.controls.size());
    result.heights.reserve(band.controls.size());
    double growth = 0;
    for (const ControlPlan& plan : band.controls) {
        QString text = textOf(plan);
        double height = plan.boxHeight();
        if (!plan.control->autoSize() && !text.isEmpty() && !plan.fitsOneLine(text)) {
            text = wrapLines(plan, text);
            // The box's first lines take its own height; each further one adds a line.
            const int boxLines = std::max(1, static_cast<int>((height + slack) / plan.lineSpacing()));
            const int lines = static_cast<int>(text.count(u'\n')) + 1;
            if (lines > boxLines) {
                growth = std::max(growth, (lines - boxLines) * plan.lineSpacing());
                height += (lines - boxLines) * plan.lineSpacing();
            }
        }
        result.texts.push_back(std::move(text));
        result.heights.push_back(height);
    }
    result.height = band.band->height() + growth;
    return result;
}

void LayoutEngine::place(const BandPlan& band, const BandTexts& texts, double left, double top, double width)
{
    for (size_t i = 0; i < band.controls.size(); ++i) {
        const ControlPlan& plan = band.controls[i];
        const QString& text = texts.texts[i];
        if (text.isEmpty())
            continue;
        const Control& control = *plan.control;
        const double height = texts.heights[i];
        if (control.autoSize()) {
            const double textWidth = plan.width(text);
            double x = left + control.left();
            if (control.alignToBand()) {
                switch (control.alignment()) {
                case Alignment::Left:
                    x = left;
                    break;
                case Alignment::Right:
                    x = left + width - textWidth;
                    break;
                case Alignment::Center:
                    x = left + (width - textWidth) / 2;
                    break;
                }
            }
            m_page->addItem(QRectF(x, top + control.top(), textWidth, height), plan.style, text);
        } else {
            m_page->addItem(
                QRectF(left + control.left(), top + control.top(), control.width(), height), plan.style, text);
        }
    }
}

QString LayoutEngine::textOf(const ControlPlan& plan) const
{
    const Control& control = *plan.control;
    switch (control.kind()) {
    case Control::Kind::Label:
        return control.caption();
    case Control::Kind::DataField:
        return m_rows.fieldText(plan.fieldIndex);
    case Control::Kind::Expression:
        return control.expressionValue()->evaluate(m_rows, plan.expressionFields);
    case Control::Kind::SystemData:
        return control.caption()
            + (control.systemDataKind() == Control::SystemData::Date ? m_dateText : QString::number(m_pageNumber));
    }
    return {};
}

QString LayoutEngine::wrapLines(const ControlPlan& plan, const QString& text)
{
    // Between words where it can, inside a word only where the word alone is wider than the box.
    QString flowing = text;
    flowing.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(flowing, plan.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const double boxWidth = plan.control->width() * measureUnitsPerInch;
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(boxWidth);
        QString lineText = trimmedRight(flowing.mid(line.textStart(), line.textLength()));
        lineText.remove(QChar::LineSeparator);
        lines.append(lineText);
    }
    layout.endLayout();
    while (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // the blanks a stored value ends with
    return lines.join(u'\n');
}

} // namespace report
