#include "platform/db/LocalSql.h"

#include "platform/db/SqlConnection.h"

#include <QFileInfo>

namespace db {
namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Words after which a table reference ends and no alias follows.
bool isClauseWord(const QString& word)
{
    static const QStringList words { QStringLiteral("WHERE"), QStringLiteral("GROUP"), QStringLiteral("ORDER"),
        QStringLiteral("HAVING"), QStringLiteral("LIMIT"), QStringLiteral("UNION"), QStringLiteral("EXCEPT"),
        QStringLiteral("INTERSECT"), QStringLiteral("ON"), QStringLiteral("USING"), QStringLiteral("JOIN"),
        QStringLiteral("LEFT"), QStringLiteral("RIGHT"), QStringLiteral("FULL"), QStringLiteral("INNER"),
        QStringLiteral("OUTER"), QStringLiteral("CROSS"), QStringLiteral("NATURAL"), QStringLiteral("SET"),
        QStringLiteral("VALUES"), QStringLiteral("SELECT"), QStringLiteral("DEFAULT"), QStringLiteral("WINDOW"),
        QStringLiteral("RETURNING"), QStringLiteral("INDEXED"), QStringLiteral("NOT"), QStringLiteral("FROM") };
    return words.contains(word, Qt::CaseInsensitive);
}

// Words that end a FROM list. A comma after ON continues it: commas inside a join condition sit in parentheses.
bool endsFromList(const QString& word)
{
    static const QStringList words { QStringLiteral("WHERE"), QStringLiteral("GROUP"), QStringLiteral("ORDER"),
        QStringLiteral("HAVING"), QStringLiteral("LIMIT"), QStringLiteral("UNION"), QStringLiteral("EXCEPT"),
        QStringLiteral("INTERSECT"), QStringLiteral("WINDOW"), QStringLiteral("SET"), QStringLiteral("VALUES"),
        QStringLiteral("RETURNING") };
    return words.contains(word, Qt::CaseInsensitive);
}

QString unquote(const QString& quoted)
{
    const QChar open = quoted.front();
    const QChar close = open == u'[' ? u']' : open;
    QString inner = quoted.mid(1, quoted.endsWith(close) && quoted.size() > 1 ? quoted.size() - 2 : quoted.size() - 1);
    if (open != u'[')
        inner.replace(QString(2, close), QString(close));
    return inner;
}

} // namespace

LocalSql::LocalSql(const QString& text)
    : m_text(text)
{
    tokenize();
    findParameters();
    findTables();
}

void LocalSql::tokenize()
{
    using Kind = Token::Kind;
    const qsizetype size = m_text.size();
    qsizetype i = 0;
    const auto at = [this, size](qsizetype index) { return index < size ? m_text.at(index) : QChar(); };
    while (i < size) {
        const qsizetype start = i;
        const QChar c = m_text.at(i);
        Kind kind = Kind::Symbol;
        if (c.isSpace()) {
            while (i < size && m_text.at(i).isSpace())
                ++i;
            kind = Kind::Space;
        } else if (c == u'-' && at(i + 1) == u'-') {
            while (i < size && m_text.at(i) != u'\n')
                ++i;
            kind = Kind::Comment;
        } else if (c == u'/' && at(i + 1) == u'*') {
            const qsizetype end = m_text.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? size : end + 2;
            kind = Kind::Comment;
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? u']' : c;
            ++i;
            while (i < size) {
                if (m_text.at(i) == close) {
                    // A doubled quote stands for itself inside strings and quoted names.
                    if (close != u']' && at(i + 1) == close) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            kind = c == u'\'' ? Kind::String : Kind::QuotedName;
        } else if (c == u':' && isWordStart(at(i + 1))) {
            i += 2;
            while (i < size && isWordPart(m_text.at(i)))
                ++i;
            kind = Kind::Parameter;
        } else if (isWordStart(c)) {
            while (i < size && isWordPart(m_text.at(i)))
                ++i;
            kind = Kind::Word;
        } else if (c.isDigit()) {
            while (i < size && (m_text.at(i).isLetterOrNumber() || m_text.at(i) == u'.'))
                ++i;
            kind = Kind::Number;
        } else {
            ++i;
        }
        m_tokens.push_back(Token { kind, start, i - start });
    }
}

QString LocalSql::tokenText(size_t index) const
{
    const Token& token = m_tokens.at(index);
    return m_text.mid(token.start, token.length);
}

size_t LocalSql::nextSignificant(size_t index) const
{
    for (size_t i = index; i < m_tokens.size(); ++i) {
        if (m_tokens[i].kind != Token::Kind::Space && m_tokens[i].kind != Token::Kind::Comment)
            return i;
    }
    return m_tokens.size();
}

void LocalSql::findParameters()
{
    for (size_t i = 0; i < m_tokens.size(); ++i) {
        if (m_tokens[i].kind != Token::Kind::Parameter)
            continue;
        const QString name = tokenText(i).mid(1);
        if (!m_parameters.contains(name, Qt::CaseInsensitive))
            m_parameters << name;
    }
}

void LocalSql::findTables()
{
    using Kind = Token::Kind;
    enum class Context
    {
        None,
        Select, // FROM or JOIN of a query: the table gets an alias
        Change, // UPDATE, INSERT INTO, DELETE FROM: no alias allowed
    };
    Context expect = Context::None;
    std::vector<int> fromDepths; // parenthesis depths of the FROM lists being read
    int depth = 0;
    QString previousWord;

    for (size_t i = nextSignificant(0); i < m_tokens.size(); i = nextSignificant(i + 1)) {
        const Token& token = m_tokens[i];
        const QString text = tokenText(i);
        if (expect != Context::None) {
            const Context context = expect;
            expect = Context::None;
            if (token.kind == Kind::QuotedName || (token.kind == Kind::Word && !isClauseWord(text))) {
                TableReference reference { i, i, token.kind == Kind::QuotedName ? unquote(text) : text, false };
                // A bare name may carry its extension: employee.DB.
                if (token.kind == Kind::Word) {
                    for (;;) {
                        const size_t dot = reference.lastToken + 1;
                        if (dot + 1 >= m_tokens.size() || tokenText(dot) != u"."
                            || (m_tokens[dot + 1].kind != Kind::Word && m_tokens[dot + 1].kind != Kind::Number))
                            break;
                        reference.name += u'.' + tokenText(dot + 1);
                        reference.lastToken = dot + 1;
                    }
                }
                const size_t after = nextSignificant(reference.lastToken + 1);
                const bool aliasGiven = after < m_tokens.size()
                    && (m_tokens[after].kind == Kind::QuotedName
                        || (m_tokens[after].kind == Kind::Word && !isClauseWord(tokenText(after))));
                reference.needsAlias = context == Context::Select && !aliasGiven;
                m_tables.push_back(reference);
                i = reference.lastToken;
                previousWord.clear();
                continue;
            }
        }
        if (token.kind == Kind::Word) {
            const QString word = text.toUpper();
            if (word == u"FROM") {
                expect = previousWord == u"DELETE" ? Context::Change : Context::Select;
                if (expect == Context::Select && (fromDepths.empty() || fromDepths.back() != depth))
                    fromDepths.push_back(depth);
            } else if (word == u"JOIN") {
                expect = Context::Select;
            } else if (word == u"UPDATE" || word == u"INTO") {
                expect = Context::Change;
            } else if (endsFromList(word) && !fromDepths.empty() && fromDepths.back() == depth) {
                fromDepths.pop_back();
            }
            previousWord = word;
            continue;
        }
        previousWord.clear();
        if (text == u"(") {
            ++depth;
        } else if (text == u")") {
            --depth;
            while (!fromDepths.empty() && fromDepths.back() > depth)
                fromDepths.pop_back();
        } else if (text == u"," && !fromDepths.empty() && fromDepths.back() == depth) {
            expect = Context::Select;
        }
    }
}

QStringList LocalSql::tableNames() const
{
    QStringList names;
    for (const TableReference& reference : m_tables)
        names << reference.name;
    return names;
}

QString LocalSql::translate(const QStringList& schemas) const
{
    QString result;
    size_t table = 0;
    for (size_t i = 0; i < m_tokens.size(); ++i) {
        if (table < m_tables.size() && m_tables[table].firstToken == i) {
            const TableReference& reference = m_tables[table];
            result += schemas.value(static_cast<qsizetype>(table)) + QStringLiteral(".records");
            if (reference.needsAlias)
                result += QStringLiteral(" AS ") + SqlConnection::quote(QFileInfo(reference.name).completeBaseName());
            i = reference.lastToken;
            ++table;
            continue;
        }
        if (m_tokens[i].kind == Token::Kind::Parameter) {
            const QString name = tokenText(i).mid(1);
            const qsizetype position = m_parameters.indexOf(name);
            qsizetype found = position;
            for (qsizetype p = 0; found < 0 && p < m_parameters.size(); ++p) {
                if (m_parameters.at(p).compare(name, Qt::CaseInsensitive) == 0)
                    found = p;
            }
            result += QStringLiteral("?%1").arg(found + 1);
            continue;
        }
        result += tokenText(i);
    }
    return result;
}

} // namespace db
