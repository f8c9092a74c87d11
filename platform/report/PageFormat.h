#pragma once

#include "platform/report/PaperBin.h"
#include "platform/report/TextStyle.h"

#include <QPageLayout>
#include <QSizeF>
#include <QString>

#include <vector>

namespace report {

// What every page of a laid-out report shares and a renderer needs before the first page: the paper, the name of
// the report and the text styles that page items refer to by index.
class PageFormat
{
public:
    PageFormat(const QSizeF& paperSize, QPageLayout::Orientation orientation);

    QSizeF paperSize() const { return m_paperSize; } // portrait width and height in inches
    QPageLayout::Orientation orientation() const { return m_orientation; }
    QSizeF pageSize() const; // as oriented

    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    PaperBin paperBin() const { return m_paperBin; }
    void setPaperBin(PaperBin bin) { m_paperBin = bin; }

    int styleCount() const { return static_cast<int>(m_styles.size()); }
    const TextStyle& style(int index) const { return m_styles.at(static_cast<size_t>(index)); }
    quint16 addStyle(const TextStyle& style); // the index of an equal style when there is one

private:
    QSizeF m_paperSize;
    QPageLayout::Orientation m_orientation;
    QString m_title;
    PaperBin m_paperBin = PaperBin::First;
    std::vector<TextStyle> m_styles;
};

} // namespace report
