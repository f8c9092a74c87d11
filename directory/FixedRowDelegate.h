#pragma once

#include <QStyledItemDelegate>

// Draws a list's items as usual but each in rows of one fixed height.
class FixedRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    FixedRowDelegate(int rowHeight, QObject* parent);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight;
};
