#include "listprint/reports/TQREmployeeList.h"

#include "listprint/reports/OneColumnList.h"
#include "listprint/reports/ReportColours.h"
#include "platform/report/DataSetRowSource.h"

#include <array>

using report::Control;

TQREmployeeList::TQREmployeeList(db::DataSet& dataSet, QObject* owner)
    : report::Report(std::make_unique<report::DataSetRowSource>(dataSet), owner)
{
    setObjectName(QStringLiteral("QREmployeeList"));
    const std::array<OneColumnList::Column, 5> columns { {
        { QStringLiteral("Name"), 0.13, QStringLiteral("Name"), 0.08, 2.09 },
        { QStringLiteral("Phone/Ext."), 2.38, QStringLiteral("Extension"), 2.33, 1.43 },
        { QStringLiteral("Cellular"), 3.89, QStringLiteral("Cellular"), 3.91, 0.90 },
        { QStringLiteral("Pager #"), 4.99, QStringLiteral("Pager"), 4.99, 0.82 },
        { QStringLiteral("Department"), 5.92, QStringLiteral("Department"), 5.92, 1.61 },
    } };

    report::ReportLayout& design = layout();
    OneColumnList::setUpPage(design);
    m_lblReportTitle = &OneColumnList::addTitle(design, QStringLiteral("LblReportTitle"), QString());
    OneColumnList::addColumnHeader(design, columns);
    design.addGroupHeader(QStringLiteral("QRGroup1"), 0.42, QStringLiteral("copy(Name, 1, 1)"))
        .add(Control::expression(QStringLiteral("QRExpr1"), QStringLiteral("copy(Name, 1, 1)"))
                 .at(0.17, 0.08)
                 .withFont(report::TextFont { .pointSize = 14, .bold = true, .colour = ReportColours::red }));
    OneColumnList::addDetail(design, columns, false);
    OneColumnList::addPageFooter(design, QStringLiteral("Date Print: "));
}
