#pragma once

#include <QString>
#include <QTest>

#include <ostream>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A double-click as the user makes it: the first click lands (and selects) before the double-click arrives.
inline void doubleClick(QWidget* widget, QPoint position = {})
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
}
