#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QSpinBox;

namespace report {

class PageModel;

// The preview window: the pages, zoom, page navigation and a print button. Modal; closing it ends the preview.
class PreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // print is what the print button does; the dialog shows its own error message when it throws.
    PreviewDialog(const PageModel& pages, std::function<void(QWidget* window)> print, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void showPage(int page);
    void updatePageControls();
    void printPages();

    const PageModel& m_pages;
    std::function<void(QWidget* window)> m_print;
    std::unique_ptr<QPrinter> m_previewPrinter; // the preview's own canvas, not the printer printed to
    QPrintPreviewWidget* m_preview;
    QSpinBox* m_pageBox;
    QLabel* m_pageCountLabel;
};

} // namespace report
