#pragma once

#include "platform/report/PreviewPages.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTimer;

namespace report {

class PagePainter;
class PreviewPageView;

// The preview window: one page at a time with zoom, page navigation and a print button. Pages are laid out as the
// user moves to them, so the first page of a long list shows at once. Once it shows, the window counts the pages
// in short slices between the user's events ("of ?" until the count is known); moving to the last page before
// then walks there with a busy cursor and a progress window that can stop it. Modal; closing it ends the preview.
class PreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // walk starts a walk over the report from its first row; the first page is laid out here, and what the walk
    // throws passes on. print is what the print button does; the dialog shows its own error message when it throws.
    PreviewDialog(PreviewPages::Walk walk, std::function<void(QWidget* window)> print, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    bool hasPages() const { return m_current > 0; }
    int currentPage() const { return m_current; }
    std::optional<int> pageCount() const { return m_pages.pageCount(); } // known once the end was reached
    bool countingPages() const; // the count goes on in the background
    PreviewPageView* pageView() const { return m_view; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class ZoomMode
    {
        FitWidth,
        FitPage,
        Fixed,
    };

    void showPage(int number);
    void setZoomMode(ZoomMode mode, double factor = 1);
    void applyZoom();
    void updatePageControls(bool hasNext);
    void printPages();
    void countPages();
    void warn(const std::exception& error);

    std::function<void(QWidget* window)> m_print;
    PreviewPages m_pages;
    std::unique_ptr<PagePainter> m_painter;
    QScrollArea* m_scroll;
    PreviewPageView* m_view;
    QSpinBox* m_pageBox;
    QLabel* m_pageCountLabel;
    QTimer* m_countTimer;
    QAction* m_firstAction = nullptr;
    QAction* m_priorAction = nullptr;
    QAction* m_nextAction = nullptr;
    QAction* m_lastAction = nullptr;
    int m_current = 0;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    bool m_busy = false; // laying out or printing: navigation waits
};

} // namespace report
