#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QTextStream;

// What the measuring programs share, for the compare script: their options, and their exit code, 0 measured, 1
// failed (the reason on standard error after the program's name), 2 bad arguments (the usage on standard error).
// Created after the application object.
class BenchCommand
{
public:
    // The offscreen platform unless QT_QPA_PLATFORM names another; before the application object is created.
    static void useOffscreenUnlessSet();

    BenchCommand(QString program, QString usage);

    // Parses the application's arguments for `options`; false when they do not parse.
    bool parse(const QList<QCommandLineOption>& options);
    const QCommandLineParser& parser() const { return m_parser; }
    bool isSet(const QCommandLineOption& option) const { return m_parser.isSet(option); }
    QString value(const QCommandLineOption& option) const { return m_parser.value(option); }
    // The option's whole number, `fallback` where it is not given; nothing where it is not a number of at least 1.
    std::optional<int> positiveNumber(const QCommandLineOption& option, int fallback) const;

    // Prints the usage; the exit code 2.
    int badArguments() const;
    // Runs `measure`, which writes its line to standard output; the exit code 0, or 1 when it throws.
    int run(const std::function<void(QTextStream& out)>& measure) const;

private:
    const QString m_program;
    const QString m_usage;
    QCommandLineParser m_parser;
};
