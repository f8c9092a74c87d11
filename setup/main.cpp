#include "setup/SetupCommand.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return SetupCommand(out, err).run(QCoreApplication::arguments().mid(1));
}
