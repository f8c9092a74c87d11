#include "listprint/reports/TQREmployeeExt.h"

#include "listprint/reports/ReportColours.h"
#include "platform/report/DataSetRowSource.h"

using report::Band;
using report::Control;
using report::TextFont;

TQREmployeeExt::TQREmployeeExt(db::DataSet& dataSet, QObject* owner)
    : report::Report(std::make_unique<report::DataSetRowSource>(dataSet), owner)
{
    setObjectName(QStringLiteral("QREmployeeExt"));
    report::ReportLayout& design = layout();
    report::PageSetup& setup = design.pageSetup();
    setup.paperSize = { 8.5, 11.0 };
    setup.orientation = QPageLayout::Portrait;
    setup.topMargin = setup.bottomMargin = setup.leftMargin = setup.rightMargin = 0.5;
    setup.columns = 2;
    setup.columnSpacing = 0.3;
    setup.paperBin = report::PaperBin::Automatic;
    design.setOptions(report::ReportOption::FirstPageHeader | report::ReportOption::LastPageFooter);
    design.setPrintIfEmpty(true);
    design.setBaseFont(TextFont { .pointSize = 10, .colour = ReportColours::black });

    m_lblReportTitle
        = &design.addBand(Band::Kind::Title, QStringLiteral("TitleBand"), 0.68)
               .add(Control::label(QStringLiteral("LblReportTitle"), QString())
                        .at(2.34, 0.08)
                        .withFont(TextFont { .pointSize = 20, .bold = true, .colour = ReportColours::black }));

    Band& header = design.addBand(Band::Kind::ColumnHeader, QStringLiteral("ColumnHeaderBand"), 0.25);
    const TextFont headingFont { .pointSize = 12, .bold = true, .colour = ReportColours::navy };
    header.add(Control::label(QStringLiteral("HeadingName"), QStringLiteral("Name"))
                   .at(0.01, 0)
                   .fixedSize(1.33)
                   .withFont(headingFont));
    header.add(Control::label(QStringLiteral("HeadingExtension"), QStringLiteral("Extension"))
                   .at(1.43, 0)
                   .fixedSize(0.92)
                   .withFont(headingFont));
    header.add(Control::label(QStringLiteral("HeadingTitle"), QStringLiteral("Title"))
                   .at(2.43, 0)
                   .fixedSize(1.17)
                   .withFont(headingFont));

    design.addGroupHeader(QStringLiteral("QRGroup1"), 0.42, QStringLiteral("copy([Name], 1, 1)"))
        .add(Control::expression(QStringLiteral("QRExpr4"), QStringLiteral("copy([Name], 1, 1)"))
                 .at(0.17, 0.08)
                 .withFont(TextFont { .pointSize = 16, .bold = true, .colour = ReportColours::red }));

    Band& detail = design.addBand(Band::Kind::Detail, QStringLiteral("DetailBand"), 0.23);
    const TextFont detailFont { .pointSize = 8, .colour = ReportColours::black };
    detail.add(Control::expression(QStringLiteral("ExprName"), QStringLiteral("[Name]"))
                   .at(0.01, 0)
                   .fixedSize(1.33, 0.16)
                   .withFont(detailFont));
    detail.add(Control::expression(QStringLiteral("ExprExtension"), QStringLiteral("[Extension]"))
                   .at(1.43, 0)
                   .fixedSize(0.92, 0.16)
                   .withFont(detailFont));
    detail.add(Control::expression(QStringLiteral("ExprTitle"), QStringLiteral("[Title]"))
                   .at(2.42, 0)
                   .fixedSize(1.18, 0.16)
                   .withFont(detailFont));

    Band& footer = design.addBand(Band::Kind::PageFooter, QStringLiteral("PageFooterBand"), 0.27);
    const TextFont footerFont { .pointSize = 8, .colour = ReportColours::black };
    footer.add(Control::systemData(QStringLiteral("SysDataDate"), Control::SystemData::Date, QStringLiteral("Date:"))
                   .at(0.08, 0.08)
                   .withFont(footerFont));
    footer.add(
        Control::systemData(QStringLiteral("SysDataPage"), Control::SystemData::PageNumber, QStringLiteral("Page "))
            .at(0, 0.08)
            .alignedToBand(report::Alignment::Right)
            .withFont(footerFont));
}
