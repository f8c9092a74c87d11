#pragma once

#include "VectorRowSource.h"
#include "WhenModalShows.h"

#include "platform/report/PreviewDialog.h"
#include "platform/report/Report.h"

#include <QAction>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace reporttest {

// "Person 00000", "Person 00001", ...: one Name a row.
inline std::vector<QStringList> people(int count)
{
    std::vector<QStringList> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({ QStringLiteral("Person %1").arg(i, 5, 10, QLatin1Char('0')) });
    return rows;
}

// Letter, half-inch margins, a 0.5 in title and footer and 0.25 in rows in a 2 in box: 36 rows on the first page,
// 38 on the others. `source`, when given, is pointed at the report's rows.
inline std::unique_ptr<report::Report> staffReport(std::vector<QStringList> rows, VectorRowSource** source = nullptr)
{
    using report::Band;
    using report::Control;
    auto rowSource = std::make_unique<VectorRowSource>(QStringList { "Name" }, std::move(rows));
    if (source)
        *source = rowSource.get();
    auto staff = std::make_unique<report::Report>(std::move(rowSource));
    report::ReportLayout& layout = staff->layout();
    layout.pageSetup().topMargin = layout.pageSetup().bottomMargin = 0.5;
    layout.pageSetup().leftMargin = layout.pageSetup().rightMargin = 0.5;
    layout.addBand(Band::Kind::Title, "Title", 0.5).add(Control::label("LblTitle", "Staff").at(3, 0));
    layout.addBand(Band::Kind::Detail, "Detail", 0.25)
        .add(Control::dataField("TextName", "Name").at(0.1, 0).fixedSize(2, 0.2));
    layout.addBand(Band::Kind::PageFooter, "Footer", 0.5)
        .add(Control::systemData("PageNo", Control::SystemData::PageNumber, "Page ").at(0.1, 0.1));
    return staff;
}

inline std::unique_ptr<report::Report> staffReport(int rowCount, VectorRowSource** source = nullptr)
{
    return staffReport(people(rowCount), source);
}

// Runs check on the preview window once it shows, then closes it.
inline void whenPreviewShows(const std::function<void(report::PreviewDialog&)>& check, int deadlineMs = 10000)
{
    whenModalShows<report::PreviewDialog>(
        [check](report::PreviewDialog& dialog) {
            check(dialog);
            dialog.reject();
        },
        deadlineMs);
}

// Presses one of the preview window's buttons.
inline void trigger(const report::PreviewDialog& dialog, const char* action)
{
    dialog.findChild<QAction*>(action)->trigger();
}

} // namespace reporttest
