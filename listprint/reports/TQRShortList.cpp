#include "listprint/reports/TQRShortList.h"

#include "listprint/reports/OneColumnList.h"
#include "platform/report/DataSetRowSource.h"

#include <array>

TQRShortList::TQRShortList(db::DataSet& dataSet, QObject* owner)
    : report::Report(std::make_unique<report::DataSetRowSource>(dataSet), owner)
{
    setObjectName(QStringLiteral("QRShortList"));
    const std::array<OneColumnList::Column, 5> columns { {
        { QStringLiteral("Name"), 0.13, QStringLiteral("Name"), 0.08, 2.09 },
        { QStringLiteral("Phone/Ext."), 2.38, QStringLiteral("Extension"), 2.33, 1.43 },
        { QStringLiteral("Department"), 4.04, QStringLiteral("Department"), 3.92, 1.61 },
        { QStringLiteral("Cellular"), 5.79, QStringLiteral("Cellular"), 5.70, 0.90 },
        { QStringLiteral("Pager #"), 6.79, QStringLiteral("Pager"), 6.78, 0.82 },
    } };

    report::ReportLayout& design = layout();
    OneColumnList::setUpPage(design);
    m_lblReportTitle = &OneColumnList::addTitle(design, QStringLiteral("LblReportTitle"), QString());
    OneColumnList::addColumnHeader(design, columns);
    OneColumnList::addDetail(design, columns, false);
    OneColumnList::addPageFooter(design, QStringLiteral("Date Print: "));
}
