#pragma once

#include "platform/report/Band.h"
#include "platform/report/PageSetup.h"
#include "platform/report/ReportOption.h"
#include "platform/report/TextFont.h"

#include <QString>

#include <deque>

namespace report {

// A banded report layout as data: page set-up, options, base font and the bands with their controls. Bands of a
// kind print in the order they were added.
class ReportLayout
{
public:
    PageSetup& pageSetup() { return m_pageSetup; }
    const PageSetup& pageSetup() const { return m_pageSetup; }

    ReportOptions options() const { return m_options; }
    void setOptions(ReportOptions options) { m_options = options; }
    // Without rows: no page at all, or (true) one page with the title and the first column's headers; that page is
    // the last, so it has the footer with LastPageFooter.
    bool printIfEmpty() const { return m_printIfEmpty; }
    void setPrintIfEmpty(bool print) { m_printIfEmpty = print; }
    const TextFont& baseFont() const { return m_baseFont; }
    void setBaseFont(const TextFont& font) { m_baseFont = font; }

    Band& addBand(Band::Kind kind, const QString& name, double height);
    Band& addGroupHeader(const QString& name, double height, const QString& groupExpression); // ReportError
    const std::deque<Band>& bands() const { return m_bands; }

    Band* findBand(const QString& name);
    Control* findControl(const QString& name);

    // The caption of the title band's first label with text: the name a preview window or a file is given.
    QString title() const;

private:
    PageSetup m_pageSetup;
    ReportOptions m_options;
    bool m_printIfEmpty = false;
    TextFont m_baseFont;
    std::deque<Band> m_bands;
};

} // namespace report
