#include "listprint/PrintrollProgram.h"

#include "common/ProgramLinks.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TFrmMain.h"

#include <utility>

PrintrollProgram::PrintrollProgram(QStringList arguments)
    : m_arguments(std::move(arguments))
{
}

PrintrollProgram::~PrintrollProgram() = default;

int PrintrollProgram::run()
{
    start();
    exec();
    return 0;
}

void PrintrollProgram::start()
{
    m_application.setTitle(ProgramLinks::CompanionWindowCaption);
    // The directory program finds Printroll by its application title as well as by its main window's caption.
    m_windows.publishTitle(m_application.Title(), [this] { return m_application.MainForm(); });
    m_application.setHelpFile(ProgramLinks::ListPrinterHelpFile);

    TFrmDataMod& dataMod = m_application.CreateForm<TFrmDataMod>();
    m_mainWindow = &m_application.CreateForm<TFrmMain>(dataMod, m_windows, m_arguments);
    m_windows.publish(m_mainWindow);
}

int PrintrollProgram::exec()
{
    return m_application.Run();
}
