#include "directory/DirectoryProgram.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DirectoryProgram program;
    return program.run();
}
