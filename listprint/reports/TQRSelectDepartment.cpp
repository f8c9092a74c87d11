#include "listprint/reports/TQRSelectDepartment.h"

#include "listprint/reports/OneColumnList.h"
#include "platform/report/DataSetRowSource.h"

#include <array>

TQRSelectDepartment::TQRSelectDepartment(db::DataSet& dataSet, QObject* owner)
    : report::Report(std::make_unique<report::DataSetRowSource>(dataSet), owner)
{
    setObjectName(QStringLiteral("QRSelectDepartment"));
    const std::array<OneColumnList::Column, 5> columns { {
        { QStringLiteral("Name"), 0.13, QStringLiteral("Name"), 0.08, 2.09 },
        { QStringLiteral("Phone/Ext."), 2.38, QStringLiteral("Extension"), 2.33, 1.43 },
        { QStringLiteral("Title"), 4.21, QStringLiteral("Title"), 3.92, 1.59 },
        { QStringLiteral("Cellular"), 5.79, QStringLiteral("Cellular"), 5.70, 0.90 },
        { QStringLiteral("Pager #"), 6.79, QStringLiteral("Pager"), 6.78, 0.82 },
    } };

    report::ReportLayout& design = layout();
    OneColumnList::setUpPage(design);
    m_qrLabelTitle = &OneColumnList::addTitle(design, QStringLiteral("QRLabelTitle"), QString());
    OneColumnList::addColumnHeader(design, columns);
    OneColumnList::addDetail(design, columns, true);
    OneColumnList::addPageFooter(design, QStringLiteral("Date Printed: "));
}
