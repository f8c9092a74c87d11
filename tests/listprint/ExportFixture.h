#pragma once

#include "PrintrollFixture.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

class TSelectionDlg;

// Printroll over a directory of a few employees and two departments, chosen for the exports: names with and
// without the blank after the comma, without a comma, with letters outside ASCII, and values holding a quote, a
// comma and a TAB. The exports' dialogs and messages go to the fixture's recorder.
class ExportFixture : public PrintrollFixture
{
protected:
    void SetUp() override;

    // Answers the department chooser once it is shown, its list having the focus.
    void answerChooser(const std::function<void(TSelectionDlg&)>& answer);
    // The lines of a file as the format writes them, each ended by CR LF.
    static QByteArray commaLines(const QList<QStringList>& lines);
    static QByteArray tabLines(const QList<QStringList>& lines);
};
