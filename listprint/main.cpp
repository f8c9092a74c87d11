#include "common/Just1_32.h"
#include "listprint/PrintrollProgram.h"

#include <QApplication>

// Printroll's start-up. The single-instance guard acts only when the About window is opened.
int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
    // The single-instance guard's start-up comes before every step of the program's own.
    const Just1_32 singleInstanceGuard;
    PrintrollProgram program;
    return program.run();
}
