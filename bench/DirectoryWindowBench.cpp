#include "bench/DirectoryWindowBench.h"

#include "directory/DirectoryProgram.h"
#include "directory/TfrmMain.h"
#include "platform/db/Table.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QWindow>

#include <stdexcept>

namespace {

constexpr int exposeDeadlineMs = 10000;

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

} // namespace

DirectoryWindowBench::DirectoryWindowBench(const QString& folder)
    : m_settingsFolder("APP_SETTINGS_DIR", m_scratch.filePath(QStringLiteral("settings")))
    , m_runtimeFolder("APP_RUNTIME_DIR", m_scratch.filePath(QStringLiteral("runtime")))
    , m_bench(folder)
{
    if (!m_scratch.isValid())
        fail(QStringLiteral("Cannot create a temporary folder: %1").arg(m_scratch.errorString()));
    {
        const std::unique_ptr<db::Table> employees = m_bench.openEmployees();
        const db::Field& name = employees->FieldByName(QStringLiteral("Name"));
        employees->First();
        m_firstName = name.AsString();
        employees->Last();
        m_lastName = name.AsString();
    }

    m_program = std::make_unique<DirectoryProgram>();
    m_program->start();
    checkNoMessage(QStringLiteral("the start-up"));
    TfrmMain& main = mainWindow();
    // As the message loop's start shows it.
    main.show();
    const QDeadlineTimer deadline(exposeDeadlineMs);
    while (!main.windowHandle() || !main.windowHandle()->isExposed()) {
        if (deadline.hasExpired())
            fail(QStringLiteral("The main window was not shown within %1 ms").arg(exposeDeadlineMs));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    checkNoMessage(QStringLiteral("the start-up"));
    if (main.DBEditName->text() != m_firstName)
        fail(QStringLiteral("The started window shows \"%1\", not the first employee \"%2\"")
                 .arg(main.DBEditName->text(), m_firstName));
}

DirectoryWindowBench::~DirectoryWindowBench() = default;

TfrmMain& DirectoryWindowBench::mainWindow() const
{
    TfrmMain* const main = m_program->mainWindow();
    if (!main)
        fail(QStringLiteral("The program has no main window"));
    return *main;
}

DirectoryWindowBench::Times DirectoryWindowBench::lastThenFirst()
{
    TfrmMain& main = mainWindow();
    Times times;
    times.lastMs = respond(*main.Last1, m_lastName);
    times.firstMs = respond(*main.First1, m_firstName);
    return times;
}

std::vector<double> DirectoryWindowBench::dragThumb(int steps)
{
    TfrmMain& main = mainWindow();
    ui::DBGrid& grid = *main.DBGridEmployee2;
    QScrollBar& thumb = *grid.verticalScrollBar();
    const auto shownName = [&] { return grid.cellText(grid.currentRow(), 0); };
    std::vector<double> times;
    thumb.setSliderDown(true);
    thumb.setSliderPosition(0);
    QCoreApplication::processEvents();
    for (int step = 1; step <= steps; ++step) {
        const int place = static_cast<int>(qint64(thumb.maximum()) * step / steps);
        const QString before = shownName();
        QElapsedTimer clock;
        clock.start();
        thumb.setSliderPosition(place);
        grid.viewport()->repaint(); // what the next frame shows, painted now
        QCoreApplication::processEvents();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (shownName() == before)
            fail(QStringLiteral("The drag to %1 left the grid on \"%2\"").arg(place).arg(before));
    }
    thumb.setSliderDown(false);
    checkNoMessage(QStringLiteral("the drag"));
    if (shownName() != m_lastName)
        fail(QStringLiteral("The thumb at the bottom shows \"%1\", not the last employee \"%2\"")
                 .arg(shownName(), m_lastName));
    main.First1->trigger();
    QCoreApplication::processEvents();
    return times;
}

double DirectoryWindowBench::respond(QAction& command, const QString& expectedName)
{
    const QString name = command.objectName();
    if (!command.isEnabled())
        fail(QStringLiteral("The Record menu's %1 is disabled").arg(name));
    QElapsedTimer clock;
    clock.start();
    command.trigger();
    // What the move posted: above all the repaint that shows the new record.
    QCoreApplication::processEvents();
    const double ms = double(clock.nsecsElapsed()) / 1e6;

    checkNoMessage(name);
    const QString shown = mainWindow().DBEditName->text();
    if (shown != expectedName)
        fail(QStringLiteral("After %1 the window shows \"%2\", not \"%3\"").arg(name, shown, expectedName));
    return ms;
}

void DirectoryWindowBench::checkNoMessage(const QString& during) const
{
    if (!m_modal.messages().isEmpty())
        fail(QStringLiteral("The program reported during %1: %2")
                 .arg(during, m_modal.messageTexts().join(QStringLiteral(" / "))));
}
