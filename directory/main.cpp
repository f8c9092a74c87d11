#include "common/Just1_32.h"
#include "directory/DirectoryProgram.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The single-instance guard's start-up comes before every step of the program's own.
    const Just1_32 singleInstanceGuard;
    DirectoryProgram program;
    return program.run();
}
