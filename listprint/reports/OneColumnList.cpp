#include "listprint/reports/OneColumnList.h"

#include "listprint/reports/ReportColours.h"

using report::Band;
using report::Control;
using report::TextFont;

void OneColumnList::setUpPage(report::ReportLayout& layout)
{
    report::PageSetup& setup = layout.pageSetup();
    setup.paperSize = { 8.5, 11.0 };
    setup.orientation = QPageLayout::Portrait;
    setup.topMargin = setup.bottomMargin = setup.leftMargin = setup.rightMargin = 0.39;
    setup.columns = 1;
    setup.paperBin = report::PaperBin::First;
    layout.setPrintIfEmpty(false);
    layout.setBaseFont(TextFont { .pointSize = 10, .colour = ReportColours::black });
}

Control& OneColumnList::addTitle(report::ReportLayout& layout, const QString& labelName, const QString& caption)
{
    Band& band = layout.addBand(Band::Kind::Title, QStringLiteral("TitleBand"), 0.42);
    return band.add(Control::label(labelName, caption)
                        .at(3.08, 0.01)
                        .withFont(TextFont { .pointSize = 14, .bold = true, .colour = ReportColours::black }));
}

void OneColumnList::addColumnHeader(report::ReportLayout& layout, std::span<const Column> columns)
{
    Band& band = layout.addBand(Band::Kind::ColumnHeader, QStringLiteral("ColumnHeaderBand"), 0.28);
    const TextFont font { .pointSize = 12, .bold = true, .underline = true, .colour = ReportColours::blue };
    for (const Column& column : columns)
        band.add(Control::label(QStringLiteral("Heading") + column.field, column.heading)
                     .at(column.headingLeft, 0.04)
                     .withFont(font));
}

void OneColumnList::addDetail(report::ReportLayout& layout, std::span<const Column> columns, bool wordWrap)
{
    Band& band = layout.addBand(Band::Kind::Detail, QStringLiteral("DetailBand"), 0.26);
    for (const Column& column : columns)
        band.add(Control::dataField(QStringLiteral("Text") + column.field, column.field)
                     .at(column.fieldLeft, 0.08)
                     .fixedSize(column.fieldWidth, 0.18)
                     .wordWrapped(wordWrap));
}

void OneColumnList::addPageFooter(report::ReportLayout& layout, const QString& dateText)
{
    Band& band = layout.addBand(Band::Kind::PageFooter, QStringLiteral("PageFooterBand"), 0.42);
    band.add(Control::systemData(QStringLiteral("SysDataDate"), Control::SystemData::Date, dateText).at(0.08, 0.17));
    // The "*" stored in a phone number marks voice mail; every one-column list explains it.
    band.add(Control::label(QStringLiteral("QRLabel6"), QStringLiteral("* Has Voice Mail")).at(3.40, 0.17));
    band.add(
        Control::systemData(QStringLiteral("SysDataPage"), Control::SystemData::PageNumber, QStringLiteral("Page:  "))
            .at(6.65, 0.17));
}
