#pragma once

#include "TestPrinters.h"

#include <QString>
#include <QTest>

// A double-click as the user makes it: the first click lands (and selects) before the double-click arrives.
inline void doubleClick(QWidget* widget, QPoint position = {})
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
}
