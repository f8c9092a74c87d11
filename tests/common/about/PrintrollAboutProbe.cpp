// Printroll's own start-up, with a way for a test to open its About window: prints "running" once the main window
// shows; the line "about" on its input chooses Help > About. When the About window shows, it prints "about open"
// and presses OK; after the window has closed it prints "about closed" and the program ends with exit code 0.
// The tests copy it under the name Printroll, so that its single-instance guard counts it as a Printroll.
#include "common/Just1_32.h"
#include "common/TAboutBox.h"
#include "listprint/PrintrollProgram.h"
#include "listprint/TFrmMain.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

void say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const Just1_32 singleInstanceGuard;
    PrintrollProgram program;
    program.start();

    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [] {
        if (auto* const about = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
            about && about->isVisible()) {
            say("about open");
            about->OKButton->click();
        }
    });

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[64] = {};
        if (!std::fgets(line, sizeof line, stdin)) {
            input.setEnabled(false);
            return;
        }
        if (std::strncmp(line, "about", 5) != 0)
            return;
        QTimer::singleShot(0, [&] {
            watch.start();
            program.mainWindow()->About1->trigger();
            watch.stop();
            say("about closed");
            program.application().Terminate(0);
        });
    });

    QTimer::singleShot(0, [] { say("running"); });
    program.exec();
    return 0;
}
