#include "setup/SetupCommand.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/Session.h"
#include "setup/DemoDirectory.h"
#include "setup/DirectoryGenerator.h"
#include "setup/DirectoryInstaller.h"
#include "setup/ImportSchemas.h"
#include "setup/InstallationData.h"
#include "setup/SetupError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <exception>

SetupCommand::SetupCommand(QTextStream& out, QTextStream& err)
    : m_out(out)
    , m_err(err)
{
}

QString SetupCommand::usage()
{
    return QStringLiteral("Usage: rfsetup COMMAND...\n"
                          "  --demo FOLDER         create the demo directory, the import schema files and sample\n"
                          "                        import files in FOLDER\n"
                          "  --generate [N] FOLDER create a directory of N generated employees (1000000 unless\n"
                          "                        given) in 200 departments in FOLDER\n"
                          "  --text [N] FILE       write N generated employees (1000000 unless given) as a\n"
                          "                        delimited text file and its schema file\n"
                          "  --alias FOLDER        point the alias \"%1\" at FOLDER\n"
                          "Commands run in the order given. A folder that already holds a directory is refused.\n")
        .arg(DirectoryDatabase::Alias);
}

int SetupCommand::run(const QStringList& arguments)
{
    if (arguments.size() == 1 && (arguments.first() == u"--help" || arguments.first() == u"-h")) {
        m_out << usage();
        return 0;
    }
    QList<Step> steps;
    if (!parse(arguments, steps)) {
        m_err << usage();
        return 2;
    }
    try {
        for (const Step& step : steps)
            runStep(step);
    } catch (const std::exception& error) {
        m_err << "rfsetup: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}

bool SetupCommand::parse(const QStringList& arguments, QList<Step>& steps)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments.at(i);
        const bool counted = option == u"--generate" || option == u"--text";
        if (!counted && option != u"--demo" && option != u"--alias") {
            m_err << "rfsetup: unknown command '" << option << "'\n";
            return false;
        }
        Step step { option, 0, {} };
        if (counted) {
            // The count may be left out. A number is the count; so is any word that a path follows, since the
            // path comes last.
            step.count = DirectoryGenerator::DefaultEmployees;
            const QString next = i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
            static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
            const bool pathFollows = i + 2 < arguments.size() && !arguments.at(i + 2).startsWith(u"--");
            if (integer.match(next).hasMatch() || (pathFollows && !next.startsWith(u"--"))) {
                bool number = false;
                const qint64 count = next.toLongLong(&number);
                if (!number || count < 0 || count > DirectoryGenerator::MaxEmployees) {
                    m_err << "rfsetup: " << option << " needs a number of employees from 0 to "
                          << DirectoryGenerator::MaxEmployees << ", not '" << next << "'\n";
                    return false;
                }
                if (!pathFollows) {
                    m_err << "rfsetup: " << option << " needs a " << (option == u"--text" ? "file" : "folder")
                          << " after the number\n";
                    return false;
                }
                step.count = count;
                ++i;
            }
        }
        if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(u"--")) {
            m_err << "rfsetup: " << option << " needs a " << (option == u"--text" ? "file" : "folder") << '\n';
            return false;
        }
        step.path = arguments.at(++i);
        steps.append(step);
    }
    if (steps.isEmpty()) {
        m_err << "rfsetup: no command given\n";
        return false;
    }
    return true;
}

void SetupCommand::runStep(const Step& step)
{
    const QString path = QFileInfo(step.path).absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(path);
    if (step.option == u"--demo") {
        DirectoryInstaller(path).installDemo();
        ImportSchemas::writeSchemas(path);
        ImportSchemas::writeSamples(path);
        m_out << "Created the demo directory in " << shown << ": " << DemoDirectory::departments().size()
              << " departments, " << DemoDirectory::employees().size() << " employees.\n"
              << "Editing password: " << InstallationData::editPasswords().first().PasswordValue << '\n'
              << "Import schema files written there, sample import files in "
              << QDir::toNativeSeparators(ImportSchemas::samplesFolder(path)) << ".\n";
    } else if (step.option == u"--generate") {
        const DirectoryGenerator generator(step.count);
        generator.writeTables(path);
        m_out << "Created a directory of " << generator.employeeCount() << " employees in "
              << generator.departmentCount() << " departments in " << shown << ".\n";
    } else if (step.option == u"--text") {
        const DirectoryGenerator generator(step.count);
        generator.writeText(path);
        m_out << "Wrote " << generator.employeeCount() << " employees to " << shown << ".\n";
    } else {
        if (!QFileInfo(path).isDir())
            throw SetupError(QStringLiteral("%1 is not a folder").arg(shown));
        db::Session::writeAlias(DirectoryDatabase::Alias, path);
        m_out << "The alias \"" << DirectoryDatabase::Alias << "\" now names " << shown << " (in "
              << QDir::toNativeSeparators(db::Session::aliasConfigPath()) << ").\n";
    }
    m_out.flush();
}
