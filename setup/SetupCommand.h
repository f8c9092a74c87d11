#pragma once

#include <QStringList>
#include <QTextStream>

// The command line of the set-up tool:
//   --demo FOLDER         the five tables with the demo directory, the import schema files and sample imports
//   --generate [N] FOLDER the five tables with N generated employees (a million unless given) in 200 departments
//   --text [N] FILE       N generated employees as a delimited text file, with its schema file
//   --alias FOLDER        points the alias "Ringfolio 2.5" at FOLDER in the alias configuration
// Several commands run in the order given; the first failure ends the run.
class SetupCommand
{
public:
    SetupCommand(QTextStream& out, QTextStream& err);

    // The arguments without the program name. Returns the exit code: 0 done, 1 failed, 2 bad arguments.
    int run(const QStringList& arguments);

    static QString usage();

private:
    struct Step
    {
        QString option;
        qint64 count = 0;
        QString path;
    };

    bool parse(const QStringList& arguments, QList<Step>& steps);
    void runStep(const Step& step);

    QTextStream& m_out;
    QTextStream& m_err;
};
