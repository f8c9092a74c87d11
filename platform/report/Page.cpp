#include "platform/report/Page.h"

#include <limits>

namespace report {

namespace {

// Longer texts are cut: at four bytes a character at most, this many always fit the item's size field, and no
// box on paper shows that much of one value anyway.
constexpr qsizetype maxTextCharacters = std::numeric_limits<quint16>::max() / 4;

} // namespace

QRectF Page::box(int index) const
{
    const PageItem& it = item(index);
    return { it.left, it.top, it.width, it.height };
}

QString Page::text(int index) const
{
    const PageItem& it = item(index);
    return QString::fromUtf8(m_text.constData() + it.textOffset, it.textSize);
}

void Page::addItem(const QRectF& box, quint16 style, const QString& text)
{
    const QByteArray utf8 = text.left(maxTextCharacters).toUtf8();
    m_items.push_back(PageItem { static_cast<float>(box.left()), static_cast<float>(box.top()),
        static_cast<float>(box.width()), static_cast<float>(box.height()), static_cast<quint32>(m_text.size()),
        static_cast<quint16>(utf8.size()), style });
    m_text.append(utf8);
}

void Page::squeeze()
{
    m_items.shrink_to_fit();
    m_text.squeeze();
}

} // namespace report
