#include "platform/os/PrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace os {

namespace {

// The papers offered for PDF files, where no printer says which it takes.
const QList<QPageSize::PageSizeId> pdfPaperSizes { QPageSize::Letter, QPageSize::Legal, QPageSize::Executive,
    QPageSize::Tabloid, QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5 };

} // namespace

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent)
    , m_printer(printer)
    , m_printerBox(new QComboBox(this))
    , m_paperBox(new QComboBox(this))
    , m_portrait(new QRadioButton(QStringLiteral("P&ortrait"), this))
    , m_landscape(new QRadioButton(QStringLiteral("L&andscape"), this))
{
    setWindowTitle(QStringLiteral("Printer Setup"));
    m_printerBox->setObjectName(QStringLiteral("PrinterName"));
    m_paperBox->setObjectName(QStringLiteral("PaperSize"));
    m_portrait->setObjectName(QStringLiteral("Portrait"));
    m_landscape->setObjectName(QStringLiteral("Landscape"));

    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty()) {
        m_printerBox->addItem(QStringLiteral("No printer installed: prints are saved as PDF files"));
        m_printerBox->setEnabled(false);
    } else {
        m_printerBox->addItems(printers);
        const QString current
            = printer.printerName().isEmpty() ? QPrinterInfo::defaultPrinterName() : printer.printerName();
        m_printerBox->setCurrentIndex(std::max(0, static_cast<int>(printers.indexOf(current))));
    }
    fillPaperSizes(printers.isEmpty() ? QString() : m_printerBox->currentText());
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    connect(m_printerBox, &QComboBox::currentTextChanged, this, &PrinterSetupDialog::fillPaperSizes);

    auto* printerGroup = new QGroupBox(QStringLiteral("Printer"), this);
    auto* printerForm = new QFormLayout(printerGroup);
    printerForm->addRow(QStringLiteral("&Name:"), m_printerBox);
    auto* paperGroup = new QGroupBox(QStringLiteral("Paper"), this);
    auto* paperForm = new QFormLayout(paperGroup);
    paperForm->addRow(QStringLiteral("Si&ze:"), m_paperBox);
    auto* orientationGroup = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientationLayout = new QVBoxLayout(orientationGroup);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrinterSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrinterSetupDialog::reject);

    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(paperGroup, 1);
    paperRow->addWidget(orientationGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerGroup);
    layout->addLayout(paperRow);
    layout->addWidget(buttons);
    setSizeGripEnabled(false);
}

QString PrinterSetupDialog::printerName() const
{
    return m_printerBox->isEnabled() ? m_printerBox->currentText() : QString();
}

QPageSize PrinterSetupDialog::pageSize() const
{
    return m_paperBox->currentData().value<QPageSize>();
}

QPageLayout::Orientation PrinterSetupDialog::orientation() const
{
    return m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void PrinterSetupDialog::accept()
{
    const QString name = printerName();
    if (!name.isEmpty())
        m_printer.setPrinterName(name);
    m_printer.setPageSize(pageSize());
    m_printer.setPageOrientation(orientation());
    QDialog::accept();
}

void PrinterSetupDialog::fillPaperSizes(const QString& printerName)
{
    // A printer offers the papers it takes; the paper chosen before stays chosen where it can.
    const QPageSize current = m_paperBox->count() > 0 ? pageSize() : m_printer.pageLayout().pageSize();
    QList<QPageSize> sizes;
    if (!printerName.isEmpty())
        sizes = QPrinterInfo::printerInfo(printerName).supportedPageSizes();
    if (sizes.isEmpty()) {
        for (const QPageSize::PageSizeId id : pdfPaperSizes)
            sizes.append(QPageSize(id));
    }
    m_paperBox->clear();
    int chosen = 0;
    for (const QPageSize& size : sizes) {
        if (size.isEquivalentTo(current))
            chosen = m_paperBox->count();
        m_paperBox->addItem(size.name(), QVariant::fromValue(size));
    }
    m_paperBox->setCurrentIndex(chosen);
}

} // namespace os
