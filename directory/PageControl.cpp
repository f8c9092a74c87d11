#include "directory/PageControl.h"

#include "directory/FixedTabBar.h"

PageControl::PageControl(const QSize& tabSize, QWidget* parent)
    : QTabWidget(parent)
{
    setTabBar(new FixedTabBar(tabSize, this)); // owned by the tab widget
}
