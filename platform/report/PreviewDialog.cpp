#include "platform/report/PreviewDialog.h"

#include "platform/report/PageModel.h"
#include "platform/report/PagePainter.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>

namespace report {

PreviewDialog::PreviewDialog(const PageModel& pages, std::function<void(QWidget* window)> print, QWidget* parent)
    : QDialog(parent)
    , m_pages(pages)
    , m_print(std::move(print))
    , m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_preview(new QPrintPreviewWidget(m_previewPrinter.get(), this))
    , m_pageBox(new QSpinBox(this))
    , m_pageCountLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(pages.title().isEmpty() ? QStringLiteral("Print Preview")
                                           : QStringLiteral("Print Preview - %1").arg(pages.title()));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_preview->setObjectName(QStringLiteral("PreviewPages"));
    m_pageBox->setObjectName(QStringLiteral("PreviewPageNumber"));
    m_pageBox->setRange(1, std::max(1, pages.pageCount()));
    m_pageBox->setKeyboardTracking(false);

    auto* toolBar = new QToolBar(this);
    const auto addAction = [this, toolBar](const QString& name, const QString& text, const QKeySequence& key,
                               const std::function<void()>& run) {
        QAction* action = toolBar->addAction(text);
        action->setObjectName(name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    addAction(QStringLiteral("PreviewFitWidth"), QStringLiteral("Fit &Width"), {}, [this] { m_preview->fitToWidth(); });
    addAction(QStringLiteral("PreviewFitPage"), QStringLiteral("Whole &Page"), {}, [this] { m_preview->fitInView(); });
    addAction(QStringLiteral("PreviewZoomIn"), QStringLiteral("Zoom &In"), QKeySequence::ZoomIn,
        [this] { m_preview->zoomIn(); });
    addAction(QStringLiteral("PreviewZoomOut"), QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut,
        [this] { m_preview->zoomOut(); });
    toolBar->addSeparator();
    addAction(QStringLiteral("PreviewFirstPage"), QStringLiteral("|<"), QKeySequence(Qt::CTRL | Qt::Key_Home),
        [this] { showPage(1); });
    addAction(QStringLiteral("PreviewPriorPage"), QStringLiteral("<"), QKeySequence(Qt::Key_PageUp),
        [this] { showPage(m_preview->currentPage() - 1); });
    toolBar->addWidget(m_pageBox);
    toolBar->addWidget(m_pageCountLabel);
    addAction(QStringLiteral("PreviewNextPage"), QStringLiteral(">"), QKeySequence(Qt::Key_PageDown),
        [this] { showPage(m_preview->currentPage() + 1); });
    addAction(QStringLiteral("PreviewLastPage"), QStringLiteral(">|"), QKeySequence(Qt::CTRL | Qt::Key_End),
        [this] { showPage(m_preview->pageCount()); });
    toolBar->addSeparator();
    addAction(QStringLiteral("PreviewPrint"), QStringLiteral("&Print"), QKeySequence::Print, [this] { printPages(); });
    addAction(QStringLiteral("PreviewClose"), QStringLiteral("&Close"), {}, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_preview, 1);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        try {
            PagePainter(m_pages).paint(*printer);
        } catch (const std::exception& error) {
            QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
        }
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &PreviewDialog::updatePageControls);
    connect(m_pageBox, &QSpinBox::valueChanged, this, &PreviewDialog::showPage);

    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
    resize(900, 1000);
}

PreviewDialog::~PreviewDialog()
{
    // The preview widget paints on the printer: it goes first.
    delete m_preview;
}

void PreviewDialog::showPage(int page)
{
    if (page >= 1 && page <= m_preview->pageCount())
        m_preview->setCurrentPage(page);
    updatePageControls();
}

void PreviewDialog::updatePageControls()
{
    const QSignalBlocker blocker(m_pageBox);
    m_pageBox->setRange(1, std::max(1, m_preview->pageCount()));
    m_pageBox->setValue(m_preview->currentPage());
    m_pageCountLabel->setText(QStringLiteral(" of %1 ").arg(m_preview->pageCount()));
}

void PreviewDialog::printPages()
{
    // Nothing may throw into Qt's event loop: a failed print is reported here and the preview stays open.
    try {
        m_print(this);
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
    }
}

} // namespace report
