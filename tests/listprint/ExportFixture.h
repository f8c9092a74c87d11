#pragma once

#include "PrintrollFixture.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Printroll over a directory of a few employees and two departments, chosen for the exports: names with and
// without the blank after the comma, without a comma, with letters outside ASCII, and values holding a quote, a
// comma and a TAB.
class ExportFixture : public PrintrollFixture
{
protected:
    void SetUp() override;

    // Makes the window active, as a user's click would, and returns the widget that has the keyboard focus in it.
    static QWidget* focusIn(QWidget& window);
    // The bytes of a file, empty when it does not exist.
    QByteArray fileBytes(const QString& fileName) const;
    // The lines of a file as the format writes them, each ended by CR LF.
    static QByteArray commaLines(const QList<QStringList>& lines);
    static QByteArray tabLines(const QList<QStringList>& lines);
};
