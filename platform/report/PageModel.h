#pragma once

#include "platform/report/Page.h"
#include "platform/report/PaperBin.h"
#include "platform/report/TextStyle.h"

#include <QPageLayout>
#include <QSizeF>
#include <QString>

#include <deque>
#include <vector>

namespace report {

// The laid-out report: pages of positioned, styled texts in inches, ready for any renderer.
class PageModel
{
public:
    PageModel(const QSizeF& paperSize, QPageLayout::Orientation orientation);

    QSizeF paperSize() const { return m_paperSize; } // portrait width and height in inches
    QPageLayout::Orientation orientation() const { return m_orientation; }
    QSizeF pageSize() const; // as oriented

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    PaperBin paperBin() const { return m_paperBin; }
    void setPaperBin(PaperBin bin) { m_paperBin = bin; }

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    const Page& page(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    Page& addPage();

    int styleCount() const { return static_cast<int>(m_styles.size()); }
    const TextStyle& style(int index) const { return m_styles.at(static_cast<size_t>(index)); }
    quint16 addStyle(const TextStyle& style); // the index of an equal style when there is one

private:
    QSizeF m_paperSize;
    QPageLayout::Orientation m_orientation;
    QString m_title;
    PaperBin m_paperBin = PaperBin::First;
    std::deque<Page> m_pages;
    std::vector<TextStyle> m_styles;
};

} // namespace report
