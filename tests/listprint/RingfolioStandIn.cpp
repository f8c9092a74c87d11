// Stands in for the directory program in the tests: publishes a window titled "Ringfolio 2.5" in the window
// directory of $APP_RUNTIME_DIR, keeps another window of its own in front of it, prints "ready", and prints
// "raised" each time the titled window is brought to the top.
#include "platform/os/WindowDirectory.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace {

void say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

class DirectoryWindow : public QWidget
{
public:
    void watchActivation() { m_watching = true; }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate && m_watching)
            say("raised");
        return QWidget::event(event);
    }

private:
    bool m_watching = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    os::WindowDirectory directory;
    DirectoryWindow ringfolio;
    ringfolio.setWindowTitle(QStringLiteral("Ringfolio 2.5"));
    directory.publish(&ringfolio);
    ringfolio.show();
    QWidget other;
    other.setWindowTitle(QStringLiteral("Other window"));
    other.show();
    other.activateWindow();
    const QDeadlineTimer deadline(10000);
    while (QApplication::activeWindow() != &other && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ringfolio.watchActivation();
    say("ready");
    return QApplication::exec();
}
