#pragma once

#include "TestPrinters.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

// A double-click as the user makes it: the first click lands (and selects) before the double-click arrives.
inline void doubleClick(QWidget* widget, QPoint position = {})
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
}

// Shows the window and makes it the active one, as a click on it would; false when it did not become active in time.
inline bool activateSoon(QWidget& window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitFor([&window] { return window.isActiveWindow(); }, 5000);
}
