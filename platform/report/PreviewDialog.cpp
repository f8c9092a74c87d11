#include "platform/report/PreviewDialog.h"

#include "platform/modal/ModalPoint.h"
#include "platform/report/PagePainter.h"
#include "platform/report/PreviewPageView.h"

#include <QAction>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <climits>
#include <exception>

namespace report {

namespace {

constexpr double zoomStep = 1.25;
constexpr qint64 busyAfterMs = 300; // a walk that takes longer shows the busy cursor and the progress window
constexpr qint64 countSliceMs = 15; // pages counted at a time, short enough for typing and paging not to wait

} // namespace

PreviewDialog::PreviewDialog(PreviewPages::Walk walk, std::function<void(QWidget* window)> print, QWidget* parent)
    : QDialog(parent)
    , m_print(std::move(print))
    , m_pages(std::move(walk))
    , m_painter(std::make_unique<PagePainter>(m_pages.format()))
    , m_scroll(new QScrollArea(this))
    , m_view(new PreviewPageView(*m_painter, m_pages.format().pageSize(), m_scroll))
    , m_pageBox(new QSpinBox(this))
    , m_pageCountLabel(new QLabel(this))
    , m_countTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("ReportPreview"));
    const QString& title = m_pages.format().title();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Print Preview") : QStringLiteral("Print Preview - %1").arg(title));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_scroll->setObjectName(QStringLiteral("PreviewPages"));
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_pageBox->setObjectName(QStringLiteral("PreviewPageNumber"));
    m_pageBox->setKeyboardTracking(false);
    m_pageCountLabel->setObjectName(QStringLiteral("PreviewPageCount"));

    auto* toolBar = new QToolBar(this);
    const auto addAction = [this, toolBar](const QString& name, const QString& text, const QKeySequence& key,
                               const std::function<void()>& run) {
        QAction* action = toolBar->addAction(text);
        action->setObjectName(name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    addAction(QStringLiteral("PreviewFitWidth"), QStringLiteral("Fit &Width"), {},
        [this] { setZoomMode(ZoomMode::FitWidth); });
    addAction(QStringLiteral("PreviewFitPage"), QStringLiteral("Whole &Page"), {},
        [this] { setZoomMode(ZoomMode::FitPage); });
    addAction(QStringLiteral("PreviewZoomIn"), QStringLiteral("Zoom &In"), QKeySequence::ZoomIn,
        [this] { setZoomMode(ZoomMode::Fixed, m_view->zoom() * zoomStep); });
    addAction(QStringLiteral("PreviewZoomOut"), QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut,
        [this] { setZoomMode(ZoomMode::Fixed, m_view->zoom() / zoomStep); });
    toolBar->addSeparator();
    m_firstAction = addAction(QStringLiteral("PreviewFirstPage"), QStringLiteral("|<"),
        QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { showPage(1); });
    m_priorAction = addAction(QStringLiteral("PreviewPriorPage"), QStringLiteral("<"), QKeySequence(Qt::Key_PageUp),
        [this] { showPage(m_current - 1); });
    toolBar->addWidget(m_pageBox);
    toolBar->addWidget(m_pageCountLabel);
    m_nextAction = addAction(QStringLiteral("PreviewNextPage"), QStringLiteral(">"), QKeySequence(Qt::Key_PageDown),
        [this] { showPage(m_current + 1); });
    // Until the pages are counted, INT_MAX walks to the end.
    m_lastAction = addAction(QStringLiteral("PreviewLastPage"), QStringLiteral(">|"),
        QKeySequence(Qt::CTRL | Qt::Key_End), [this] { showPage(INT_MAX); });
    toolBar->addSeparator();
    addAction(QStringLiteral("PreviewPrint"), QStringLiteral("&Print"), QKeySequence::Print, [this] { printPages(); });
    addAction(QStringLiteral("PreviewClose"), QStringLiteral("&Close"), {}, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_scroll, 1);
    connect(m_pageBox, &QSpinBox::valueChanged, this, &PreviewDialog::showPage);
    // The programs start no threads: the count goes on in slices of the event loop, on the preview's own walk.
    m_countTimer->setObjectName(QStringLiteral("PreviewPageCounter"));
    m_countTimer->setInterval(0);
    connect(m_countTimer, &QTimer::timeout, this, &PreviewDialog::countPages);

    resize(900, 1000);
    // The first page is laid out now, so that a report without pages opens no window; errors reach the caller.
    if (m_pages.page(1)) {
        m_current = 1;
        const bool hasNext = m_pages.hasPageAfter(1);
        m_view->setPage(*m_pages.page(1));
        updatePageControls(hasNext);
    }
}

PreviewDialog::~PreviewDialog()
{
    // The page view paints through the painter, which goes with the members: the view goes first.
    delete m_scroll;
}

bool PreviewDialog::countingPages() const
{
    return m_countTimer->isActive();
}

void PreviewDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    applyZoom();
    if (hasPages() && !m_pages.pageCount())
        m_countTimer->start();
}

void PreviewDialog::hideEvent(QHideEvent* event)
{
    m_countTimer->stop();
    QDialog::hideEvent(event);
}

void PreviewDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    applyZoom();
}

void PreviewDialog::showPage(int number)
{
    if (m_busy || !hasPages())
        return;
    if (const std::optional<int> count = m_pages.pageCount())
        number = std::min(number, *count);
    number = std::max(1, number);
    m_busy = true;
    bool busyCursor = false;
    const auto done = qScopeGuard([this, &busyCursor] {
        if (busyCursor)
            QGuiApplication::restoreOverrideCursor();
        m_busy = false;
    });

    // A walk past many pages (to the last one, or back to a page no longer kept) may take a while: the window
    // keeps answering and offers to stop where the walk has got to.
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceEvents;
    std::unique_ptr<modal::Progress> progress;
    int reached = 0;
    const auto onPage = [&](int pageNumber) {
        reached = pageNumber;
        if (!progress && clock.elapsed() >= busyAfterMs) {
            QGuiApplication::setOverrideCursor(Qt::BusyCursor);
            busyCursor = true;
            progress = modal::ModalPoint::startProgress({ windowTitle(), QString(), QStringLiteral("Stop"),
                                                            QStringLiteral("PreviewProgress"), Qt::WindowModal },
                this);
            sinceEvents.invalidate();
        }
        if (progress && (!sinceEvents.isValid() || sinceEvents.elapsed() >= 50)) {
            progress->step(QStringLiteral("Laying out page %1...").arg(pageNumber));
            sinceEvents.start();
            return !progress->cancelled();
        }
        return true;
    };

    try {
        if (!m_pages.page(number, onPage)) {
            // Past the end, now known, or stopped on the way: the page reached instead.
            number = m_pages.pageCount().value_or(reached);
            if (number < 1 || !m_pages.page(number))
                return;
        }
        m_current = number;
        const bool hasNext = m_pages.hasPageAfter(number);
        m_view->setPage(*m_pages.page(number)); // kept: the look ahead does not drop the page looked at
        updatePageControls(hasNext);
    } catch (const std::exception& error) {
        warn(error); // the page shown stays
    }
}

void PreviewDialog::setZoomMode(ZoomMode mode, double factor)
{
    m_zoomMode = mode;
    if (mode == ZoomMode::Fixed)
        m_view->setZoom(factor);
    applyZoom();
}

void PreviewDialog::applyZoom()
{
    const QSize room = m_scroll->maximumViewportSize();
    switch (m_zoomMode) {
    case ZoomMode::FitWidth:
        m_view->setZoom(m_view->zoomToFitWidth(room.width() - m_scroll->verticalScrollBar()->sizeHint().width()));
        break;
    case ZoomMode::FitPage:
        m_view->setZoom(m_view->zoomToFit(room));
        break;
    case ZoomMode::Fixed:
        break;
    }
}

void PreviewDialog::updatePageControls(bool hasNext)
{
    const QSignalBlocker blocker(m_pageBox);
    const std::optional<int> count = m_pages.pageCount();
    m_pageBox->setRange(1, count.value_or(INT_MAX));
    m_pageBox->setValue(m_current);
    m_pageCountLabel->setText(count ? QStringLiteral(" of %1 ").arg(*count) : QStringLiteral(" of ? "));
    m_pageCountLabel->setToolTip(count ? QString() : QStringLiteral("Counting the pages..."));
    m_firstAction->setEnabled(m_current > 1);
    m_priorAction->setEnabled(m_current > 1);
    m_nextAction->setEnabled(hasNext);
    m_lastAction->setEnabled(hasNext);
}

void PreviewDialog::printPages()
{
    if (m_busy)
        return;
    m_busy = true;
    // Nothing may throw into Qt's event loop: a failed print is reported here and the preview stays open.
    try {
        m_print(this);
    } catch (const std::exception& error) {
        warn(error);
    }
    // The print walked the rows from the first to the last: the paused walk of the preview lost its place.
    m_pages.dropWalk();
    m_busy = false;
}

void PreviewDialog::countPages()
{
    // A page being laid out or printed moves the rows: the count waits for it.
    if (m_busy)
        return;
    QElapsedTimer slice;
    slice.start();
    try {
        while (slice.elapsed() < countSliceMs) {
            if (!m_pages.countOn(m_current))
                break;
        }
    } catch (const std::exception&) {
        // The count stays unknown; moving to the pages that fail shows the error.
        m_countTimer->stop();
        return;
    }
    if (m_pages.pageCount()) {
        m_countTimer->stop();
        updatePageControls(m_pages.hasPageAfter(m_current));
    }
}

void PreviewDialog::warn(const std::exception& error)
{
    modal::ModalPoint::message(modal::MessageRequest { QString::fromUtf8(error.what()), windowTitle(),
                                   modal::MessageKind::Warning, modal::MessageButton::OK },
        this);
}

} // namespace report
