#pragma once

#include "listprint/reports/OneColumnList.h"
#include "listprint/reports/TQRSelectDepartment.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace db {
class DataSet;
}

// A list layout as the tests know it: how it is made over the list printer's data sets, and where its columns
// stand (inches from the left margin).
struct ListLayout
{
    using Column = OneColumnList::Column; // heading and field places, also of the two-column list

    const char* name;
    std::function<std::unique_ptr<report::Report>(db::DataSet& employees, db::DataSet& departments)> create;
    std::vector<Column> columns;
    bool group; // a red letter above the names that begin with it
    QString dateText;

    // The four one-column lists, each titled "Staff" but the department list, which keeps its own title.
    static std::vector<ListLayout> oneColumnLists();
};

// A layout over the rows with its title set, as the list printer sets it before a run.
template <typename Layout> std::unique_ptr<Layout> titled(db::DataSet& rows, const QString& title)
{
    auto layout = std::make_unique<Layout>(rows);
    if constexpr (std::is_same_v<Layout, TQRSelectDepartment>)
        layout->QRLabelTitle().setCaption(title);
    else
        layout->LblReportTitle().setCaption(title);
    return layout;
}
