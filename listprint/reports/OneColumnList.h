#pragma once

#include "platform/report/Control.h"
#include "platform/report/ReportLayout.h"

#include <QString>

#include <span>

// The page set-up and bands that the four one-column lists share: Letter with 0.39 in margins, a title label,
// blue underlined headings sized to their text, one fixed-width field per column and the footer with date,
// voice-mail legend and page number.
class OneColumnList
{
public:
    struct Column
    {
        QString heading;
        double headingLeft;
        QString field;
        double fieldLeft;
        double fieldWidth;
    };

    static void setUpPage(report::ReportLayout& layout);
    static report::Control& addTitle(report::ReportLayout& layout, const QString& labelName, const QString& caption);
    static void addColumnHeader(report::ReportLayout& layout, std::span<const Column> columns);
    static void addDetail(report::ReportLayout& layout, std::span<const Column> columns, bool wordWrap);
    static void addPageFooter(report::ReportLayout& layout, const QString& dateText);
};
