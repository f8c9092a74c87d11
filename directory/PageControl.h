#pragma once

#include <QTabWidget>

// A set of pages with tabs of one fixed size (FixedTabBar).
class PageControl : public QTabWidget
{
    Q_OBJECT

public:
    explicit PageControl(const QSize& tabSize, QWidget* parent = nullptr);
};
