#pragma once

#include "platform/report/PageItem.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <vector>

namespace report {

// One page of a page model: its items in paint order, their texts kept together in one UTF-8 store.
class Page
{
public:
    int itemCount() const { return static_cast<int>(m_items.size()); }
    const PageItem& item(int index) const { return m_items.at(static_cast<size_t>(index)); }
    QRectF box(int index) const; // in inches
    QString text(int index) const;

    void addItem(const QRectF& box, quint16 style, const QString& text);
    void squeeze(); // gives back the spare room once the page is finished

private:
    std::vector<PageItem> m_items;
    QByteArray m_text;
};

} // namespace report
