#include "listprint/reports/TQRDepartment.h"

#include "listprint/reports/OneColumnList.h"
#include "platform/report/DataSetRowSource.h"

#include <array>

TQRDepartment::TQRDepartment(db::DataSet& dataSet, QObject* owner)
    : report::Report(std::make_unique<report::DataSetRowSource>(dataSet), owner)
{
    setObjectName(QStringLiteral("QRDepartment"));
    const std::array<OneColumnList::Column, 5> columns { {
        { QStringLiteral("Department"), 0.13, QStringLiteral("Department"), 0.08, 2.09 },
        { QStringLiteral("Phone/Ext."), 2.33, QStringLiteral("MainExtension"), 2.33, 1.18 },
        { QStringLiteral("Fax Number"), 3.66, QStringLiteral("FaxNumber"), 3.67, 0.96 },
        { QStringLiteral("Address 1"), 4.88, QStringLiteral("Address1"), 4.86, 1.59 },
        { QStringLiteral("Address 2"), 6.63, QStringLiteral("Address2"), 6.62, 1.09 },
    } };

    report::ReportLayout& design = layout();
    OneColumnList::setUpPage(design);
    m_qrLabelTitle
        = &OneColumnList::addTitle(design, QStringLiteral("QRLabelTitle"), QStringLiteral("Department Listing"));
    OneColumnList::addColumnHeader(design, columns);
    OneColumnList::addDetail(design, columns, true);
    OneColumnList::addPageFooter(design, QStringLiteral("Date Printed: "));
}
