#pragma once

#include "platform/report/PageModel.h"
#include "platform/report/PageSource.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace report {

class Band;
class ReportLayout;
class RowSource;

// Lays a layout out over rows, walking them once from the first to the end and handing out each page as soon as it
// is finished. Between two pages the walk waits with the rows positioned where it stopped, so a consumer holds one
// page at a time and a long list costs no more memory than a short one.
//
// Fields and expressions are bound when the engine is made: a field the rows lack throws ReportError before any
// page exists. Needs a QGuiApplication (texts are measured with the system's fonts).
class LayoutEngine : public PageSource
{
public:
    // Told every so many rows how far the walk is; returning false cancels it.
    using Progress = std::function<bool(int pages, qint64 rows)>;

    LayoutEngine(const ReportLayout& layout, RowSource& rows, const QDate& printDate = QDate::currentDate());
    LayoutEngine(ReportLayout&&, RowSource&, const QDate& = {}) = delete; // the layout must outlive the engine
    ~LayoutEngine() override;
    LayoutEngine(const LayoutEngine&) = delete;
    LayoutEngine& operator=(const LayoutEngine&) = delete;

    void setProgress(Progress progress, int everyRows = 256);

    const PageFormat& format() const override { return m_format; }
    // None after the last page, or once the progress cancelled the walk (cancelled() says which).
    std::optional<Page> nextPage() override;
    bool cancelled() const { return m_cancelled; }
    int pagesDone() const { return m_pagesDone; }

    // Every page collected into a model, or nothing when the progress cancelled. Only before the first nextPage().
    std::optional<PageModel> run();

private:
    struct ControlPlan;
    struct BandPlan;
    struct BandTexts;

    enum class Stage
    {
        NotStarted,
        Walking,
        Done,
    };

    void start();
    void layOutRow();
    void startPage();
    void startColumn();
    void finishPage(bool last);
    void nextColumn();
    void ensureRoom(double height);
    void placeInColumn(const BandPlan& band, const BandTexts& texts);
    void place(const BandPlan& band, const BandTexts& texts, double left, double top, double width);
    BandTexts textsOf(const BandPlan& band) const;
    QString textOf(const ControlPlan& plan) const;
    static QString wrapLines(const ControlPlan& plan, const QString& text);

    const ReportLayout& m_layout;
    RowSource& m_rows;
    QString m_dateText;
    Progress m_progress;
    int m_progressEvery = 256;
    PageFormat m_format;
    std::vector<BandPlan> m_titles;
    std::vector<BandPlan> m_columnHeaders;
    std::vector<BandPlan> m_groups;
    std::vector<BandPlan> m_details;
    std::vector<BandPlan> m_footers;

    // Where the walk stands.
    Stage m_stage = Stage::NotStarted;
    bool m_cancelled = false;
    std::optional<Page> m_page; // being filled
    std::optional<Page> m_finished; // waiting to be handed out
    int m_pagesDone = 0;
    int m_pageNumber = 0;
    int m_column = 0;
    double m_columnTop = 0;
    double m_y = 0;
    double m_bottom = 0; // the footers' room starts here
    bool m_columnFresh = true; // nothing but headers in the column yet
    std::vector<QString> m_groupValues; // of the row before
    bool m_firstRow = true;
    qint64 m_rowCount = 0;
};

} // namespace report
