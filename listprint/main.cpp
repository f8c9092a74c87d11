#include "common/ProgramLinks.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TFrmMain.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"

#include <QApplication>

// Printroll's start-up, in order. The single-instance guard joins with the About window.
int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
    ui::Application application;
    application.setTitle(ProgramLinks::CompanionWindowCaption);
    // The directory program finds Printroll by its application title as well as by its main window's caption.
    os::WindowDirectory windows;
    windows.publishTitle(application.Title(), [&application] { return application.MainForm(); });
    application.setHelpFile(ProgramLinks::ListPrinterHelpFile);

    TFrmDataMod& dataMod = application.CreateForm<TFrmDataMod>();
    TFrmMain& mainForm = application.CreateForm<TFrmMain>(dataMod, windows, QCoreApplication::arguments());
    windows.publish(&mainForm);

    application.Run();
    return 0;
}
