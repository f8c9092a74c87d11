#include "bench/LetterSearchBench.h"

#include "directory/FixedTabBar.h"
#include "directory/NameGridFeed.h"
#include "directory/TfrmDataMod.h"
#include "directory/TfrmMain.h"
#include "platform/ui/DBEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>

#include <chrono>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The key that types a character of a name on a US keyboard.
Qt::Key keyOf(QChar character)
{
    const QChar upper = character.toUpper();
    if (upper >= u'A' && upper <= u'Z')
        return static_cast<Qt::Key>(Qt::Key_A + (upper.unicode() - u'A'));
    if (upper >= u'0' && upper <= u'9')
        return static_cast<Qt::Key>(Qt::Key_0 + (upper.unicode() - u'0'));
    switch (upper.unicode()) {
    case u' ':
        return Qt::Key_Space;
    case u',':
        return Qt::Key_Comma;
    case u'.':
        return Qt::Key_Period;
    case u'-':
        return Qt::Key_Minus;
    case u'\'':
        return Qt::Key_Apostrophe;
    default:
        throw std::runtime_error("no key types " + QString(character).toStdString());
    }
}

} // namespace

LetterSearchBench::LetterSearchBench(const QString& folder)
    : m_settingsFolder("APP_SETTINGS_DIR", m_scratch.filePath(QStringLiteral("settings")))
    , m_bench(folder)
    , m_windows(m_scratch.filePath(QStringLiteral("runtime")))
{
    if (!m_scratch.isValid())
        throw std::runtime_error("cannot create a temporary folder: " + m_scratch.errorString().toStdString());

    m_dataModule = std::make_unique<TfrmDataMod>();
    m_window = std::make_unique<TfrmMain>(*m_dataModule, m_windows, m_help, m_scratch.path());
    m_window->show();
    QApplication::processEvents();
    checkNoMessage(QStringLiteral("the start-up"));
}

LetterSearchBench::~LetterSearchBench() = default;

void LetterSearchBench::checkNoMessage(const QString& during) const
{
    if (!m_modal.messages().isEmpty()) {
        throw std::runtime_error(QStringLiteral("the window said \"%1\" during %2")
                                     .arg(m_modal.messages().constFirst().text, during)
                                     .toStdString());
    }
}

std::vector<double> LetterSearchBench::typeName(const QString& name)
{
    QLineEdit& field = *m_window->EditEmployeeSearch;
    field.clear();
    std::vector<double> times;
    for (const QChar character : name) {
        const Qt::Key key = keyOf(character);
        const QString text(character.toLower());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        const Clock::time_point start = Clock::now();
        QApplication::sendEvent(&field, &release);
        QApplication::processEvents();
        times.push_back(millisecondsSince(start));
    }
    checkNoMessage(QStringLiteral("the search"));
    if (m_window->DBEditName->text() != name.toUpper()) {
        throw std::runtime_error(QStringLiteral("the search ended on \"%1\", not on \"%2\"")
                                     .arg(m_window->DBEditName->text(), name)
                                     .toStdString());
    }
    return times;
}

double LetterSearchBench::fillLetterList(QChar letter, qint64& rows)
{
    {
        // The letter is chosen without the change's own fill: the fill below is the one timed.
        const QSignalBlocker quiet(m_window->TabControlMain);
        m_window->TabControlMain->setCurrentIndex(letter.toUpper().unicode() - u'A');
    }
    const Clock::time_point start = Clock::now();
    m_window->ShowEmployeeLetterList();
    QApplication::processEvents();
    const double spent = millisecondsSince(start);
    checkNoMessage(QStringLiteral("the letter list"));
    // The rows of the list are those the query gives: read (untimed) to the end, as a user scrolling there would.
    const Clock::time_point restStart = Clock::now();
    m_window->nameGridFeed().readAll();
    QApplication::processEvents();
    m_restMs = millisecondsSince(restStart);
    checkNoMessage(QStringLiteral("the letter list's further rows"));
    const QTableWidget& grid = *m_window->StringGridEmployee;
    rows = grid.rowCount() == 1 && grid.item(0, 0)->text().isEmpty() ? 0 : grid.rowCount();
    return spent;
}

double LetterSearchBench::fillGridFromMemory()
{
    QTableWidget& grid = *m_window->StringGridEmployee;
    std::vector<std::pair<QString, QString>> rows;
    rows.reserve(static_cast<size_t>(grid.rowCount()));
    for (int row = 0; row < grid.rowCount(); ++row)
        rows.emplace_back(grid.item(row, 0)->text(), grid.item(row, 1)->text());
    size_t next = 0;
    const Clock::time_point start = Clock::now();
    m_window->nameGridFeed().start(static_cast<qint64>(rows.size()), [&](QString& name, QString& extension) {
        if (next == rows.size())
            return false;
        name = rows[next].first;
        extension = rows[next].second;
        ++next;
        return true;
    });
    QApplication::processEvents();
    return millisecondsSince(start);
}
