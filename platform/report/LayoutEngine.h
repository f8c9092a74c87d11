#pragma once

#include "platform/report/PageModel.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace report {

class Band;
class ReportLayout;
class RowSource;

// Lays a layout out over rows into a page model, walking the rows once from the first to the end: nothing is
// counted or copied ahead, so a long list costs only its pages.
//
// Fields and expressions are bound when the engine is made: a field the rows lack throws ReportError before any
// page exists. Needs a QGuiApplication (texts are measured with the system's fonts).
class LayoutEngine
{
public:
    // Told every so many rows how far the walk is; returning false cancels it.
    using Progress = std::function<bool(int pages, qint64 rows)>;

    LayoutEngine(const ReportLayout& layout, RowSource& rows, const QDate& printDate = QDate::currentDate());
    LayoutEngine(ReportLayout&&, RowSource&, const QDate& = {}) = delete; // the layout must outlive the engine
    ~LayoutEngine();
    LayoutEngine(const LayoutEngine&) = delete;
    LayoutEngine& operator=(const LayoutEngine&) = delete;

    void setProgress(Progress progress, int everyRows = 256);

    // The pages, or nothing when the progress cancelled. Runs once.
    std::optional<PageModel> run();

private:
    struct ControlPlan;
    struct BandPlan;

    void startPage();
    void startColumn();
    void finishPage(bool last);
    void nextColumn();
    void ensureRoom(double height);
    void placeInColumn(const BandPlan& band);
    void place(const BandPlan& band, double left, double top, double width);
    QString textOf(const ControlPlan& plan) const;
    QString fitLines(const ControlPlan& plan, const QString& text) const;

    const ReportLayout& m_layout;
    RowSource& m_rows;
    QString m_dateText;
    Progress m_progress;
    int m_progressEvery = 256;
    std::optional<PageModel> m_model;
    std::vector<BandPlan> m_titles;
    std::vector<BandPlan> m_columnHeaders;
    std::vector<BandPlan> m_groups;
    std::vector<BandPlan> m_details;
    std::vector<BandPlan> m_footers;

    // Where the walk stands.
    Page* m_page = nullptr;
    int m_pageNumber = 0;
    int m_column = 0;
    double m_columnTop = 0;
    double m_y = 0;
    double m_bottom = 0; // the footers' room starts here
    bool m_columnFresh = true; // nothing but headers in the column yet
};

} // namespace report
