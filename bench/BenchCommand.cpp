#include "bench/BenchCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <exception>
#include <utility>

void BenchCommand::useOffscreenUnlessSet()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

BenchCommand::BenchCommand(QString program, QString usage)
    : m_program(std::move(program))
    , m_usage(std::move(usage))
{
}

bool BenchCommand::parse(const QList<QCommandLineOption>& options)
{
    m_parser.addOptions(options);
    return m_parser.parse(QCoreApplication::arguments());
}

std::optional<int> BenchCommand::positiveNumber(const QCommandLineOption& option, int fallback) const
{
    if (!m_parser.isSet(option))
        return fallback;
    bool ok = false;
    const int number = m_parser.value(option).toInt(&ok);
    if (!ok || number < 1)
        return std::nullopt;
    return number;
}

int BenchCommand::badArguments() const
{
    QTextStream(stderr) << m_usage;
    return 2;
}

int BenchCommand::run(const std::function<void(QTextStream& out)>& measure) const
{
    try {
        QTextStream out(stdout);
        measure(out);
    } catch (const std::exception& error) {
        QTextStream(stderr) << m_program << ": " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}
