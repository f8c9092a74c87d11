#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace db {

// The engine's local SQL as the programs write it, taken apart so it can run on SQLite: the ":Name" parameters
// (not inside strings, quoted names or comments) and the table references after FROM, JOIN, UPDATE and INTO, quoted
// ("employee.DB") or bare (employee, employee.DB).
class LocalSql
{
public:
    explicit LocalSql(const QString& text);

    const QString& text() const { return m_text; }
    // Parameter names in order of first appearance; a name repeated (in any letter case) is one parameter.
    const QStringList& parameters() const { return m_parameters; }
    // The table names as written, one per reference, in order.
    QStringList tableNames() const;

    // The text for SQLite: reference i becomes "<schemas[i]>.records", aliased by the table's base name where the
    // text gives it no alias of its own, and each parameter becomes ?n, n its position in parameters().
    QString translate(const QStringList& schemas) const;

private:
    struct Token
    {
        enum class Kind
        {
            Space,
            Comment,
            String,
            QuotedName,
            Word,
            Number,
            Parameter,
            Symbol,
        };
        Kind kind;
        qsizetype start;
        qsizetype length;
    };
    struct TableReference
    {
        size_t firstToken;
        size_t lastToken;
        QString name;
        bool needsAlias;
    };

    void tokenize();
    void findParameters();
    void findTables();
    QString tokenText(size_t index) const;
    size_t nextSignificant(size_t index) const; // m_tokens.size() when none

    QString m_text;
    std::vector<Token> m_tokens;
    QStringList m_parameters;
    std::vector<TableReference> m_tables;
};

} // namespace db
