#pragma once

#include <QString>

#include <stdexcept>

namespace db {

// Every failure of the database engine. The message names what failed (alias, table file, field, statement,
// line of a text file) and why; it is what the user sees in the application's error box.
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const QString& message, int sqliteCode = 0, QString table = {}, QString statement = {});

    QString message() const { return QString::fromUtf8(what()); }
    int sqliteCode() const { return m_sqliteCode; }
    // Another program holds the table (SQLite's busy or locked).
    bool isBusy() const;
    const QString& table() const { return m_table; }
    const QString& statement() const { return m_statement; }

private:
    int m_sqliteCode;
    QString m_table;
    QString m_statement;
};

// A posted or appended row repeats the table's primary key.
class KeyViolation : public EngineError
{
public:
    using EngineError::EngineError;
};

} // namespace db
