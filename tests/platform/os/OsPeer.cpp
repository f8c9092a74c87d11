// A second program for the tests, in the window directory of $APP_RUNTIME_DIR.
//   --title T          shows a window titled T and publishes it
//   --app-title A      publishes A as the application title, acting on that window
//   --minimized        shows the window minimised
//   --covered          keeps another window of its own in front of it, and prints "raised" each time the titled
//                      window is brought to the top
//   --mutex NAME       takes the named mutex and prints "mutex created", "mutex exists" or "mutex failed"
//   --retitle OLD NEW  finds the window OLD, retitles it NEW, prints "retitled" or "not found" and ends
// Prints "ready" when all is published, then runs its loop; prints "closed" from the window's close handler and
// "loop ended" when the loop returns.
#include "platform/os/NamedMutex.h"
#include "platform/os/WindowDirectory.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QWidget>

#include <cstdio>
#include <optional>

namespace {

void say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

class PeerWindow : public QWidget
{
public:
    void watchActivation() { m_watching = true; }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        say("closed");
        QWidget::closeEvent(event);
    }

    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate && m_watching)
            say("raised");
        return QWidget::event(event);
    }

private:
    bool m_watching = false;
};

// Shows a window in front of the peer's and waits until it is the active one, so that a later activation of the
// peer's window is somebody else's doing.
void cover(PeerWindow& window, QWidget& other)
{
    other.setWindowTitle(QStringLiteral("Other window"));
    other.show();
    other.activateWindow();
    const QDeadlineTimer deadline(10000);
    while (QApplication::activeWindow() != &other && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    window.watchActivation();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const auto option = [&](const QString& name, int offset = 1) {
        const qsizetype at = args.indexOf(name);
        return at >= 0 && at + offset < args.size() ? args.at(at + offset) : QString();
    };
    os::WindowDirectory directory;

    if (args.contains(QStringLiteral("--retitle"))) {
        const auto found = directory.findWindow(option(QStringLiteral("--retitle")));
        say(found && directory.setWindowText(*found, option(QStringLiteral("--retitle"), 2)) ? "retitled"
                                                                                             : "not found");
        return 0;
    }

    std::optional<os::NamedMutex> mutex;
    if (args.contains(QStringLiteral("--mutex"))) {
        mutex.emplace(option(QStringLiteral("--mutex")));
        const auto result = mutex->result();
        say(result == os::NamedMutex::Result::Created             ? "mutex created"
                : result == os::NamedMutex::Result::AlreadyExists ? "mutex exists"
                                                                  : "mutex failed");
    }

    PeerWindow window;
    const QString title = option(QStringLiteral("--title"));
    if (!title.isEmpty()) {
        window.setWindowTitle(title);
        directory.publish(&window);
        if (args.contains(QStringLiteral("--minimized")))
            window.showMinimized();
        else
            window.show();
    }
    QWidget other;
    if (args.contains(QStringLiteral("--covered")))
        cover(window, other);
    const QString appTitle = option(QStringLiteral("--app-title"));
    if (!appTitle.isEmpty())
        directory.publishTitle(appTitle, [&window] { return &window; });

    say("ready");
    const int rc = QApplication::exec();
    say("loop ended");
    return rc;
}
