#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace os {

// The printer set-up dialog: which printer the following prints go to, on which paper and which way up. It shows
// the printer's current settings; OK puts the choice on the printer, Cancel leaves it as it was. It prints
// nothing itself. Where no printer is installed, prints are saved as PDF files, and the dialog still chooses their
// paper and orientation.
class PrinterSetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrinterSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    // The choice as it stands in the dialog.
    QString printerName() const; // empty where no printer is installed
    QPageSize pageSize() const;
    QPageLayout::Orientation orientation() const;

    void accept() override; // applies the choice to the printer, then closes

private:
    void fillPaperSizes(const QString& printerName);

    QPrinter& m_printer;
    QComboBox* m_printerBox;
    QComboBox* m_paperBox;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};

} // namespace os
