#include "platform/report/Expression.h"

#include "platform/report/ReportError.h"
#include "platform/report/RowSource.h"

#include <algorithm>
#include <limits>

namespace report {

struct Expression::Node
{
    enum class Kind
    {
        Text,
        Number,
        Field,
        Copy,
    };

    Kind kind = Kind::Text;
    QString text; // Text
    qint64 number = 0; // Number
    int slot = 0; // Field: position in fieldNames()
    std::vector<std::shared_ptr<const Node>> arguments; // Copy

    bool isText() const { return kind != Kind::Number; }
};

namespace {

using Node = Expression::Node;
using NodePtr = std::shared_ptr<const Node>;

// Recursive descent over the expression text; every error names the expression and the position.
class Parser
{
public:
    Parser(const QString& text, QStringList& fieldNames)
        : m_text(text)
        , m_fieldNames(fieldNames)
    {
    }

    NodePtr parse()
    {
        skipBlanks();
        if (atEnd())
            fail(QStringLiteral("the expression is empty"));
        NodePtr root = parseTerm();
        skipBlanks();
        if (!atEnd())
            fail(QStringLiteral("unexpected '%1'").arg(m_text.at(m_pos)));
        if (!root->isText())
            fail(QStringLiteral("a number is not a text"));
        return root;
    }

private:
    NodePtr parseTerm()
    {
        skipBlanks();
        if (atEnd())
            fail(QStringLiteral("a value is missing"));
        const QChar c = m_text.at(m_pos);
        if (c == u'\'')
            return parseString();
        if (c == u'[')
            return parseBracketField();
        if (c.isDigit())
            return parseNumber();
        if (isNameStart(c))
            return parseNameOrCall();
        fail(QStringLiteral("unexpected '%1'").arg(c));
    }

    NodePtr parseString()
    {
        ++m_pos; // opening quote
        QString value;
        while (true) {
            if (atEnd())
                fail(QStringLiteral("a text is not closed with '"));
            const QChar c = m_text.at(m_pos++);
            if (c == u'\'') {
                if (!atEnd() && m_text.at(m_pos) == u'\'') { // '' stands for one quote
                    value += c;
                    ++m_pos;
                    continue;
                }
                break;
            }
            value += c;
        }
        auto node = std::make_shared<Node>();
        node->text = value;
        return node;
    }

    NodePtr parseBracketField()
    {
        const qsizetype start = ++m_pos;
        const qsizetype end = m_text.indexOf(u']', start);
        if (end < 0)
            fail(QStringLiteral("a field name is not closed with ]"));
        const QString name = m_text.mid(start, end - start).trimmed();
        if (name.isEmpty())
            fail(QStringLiteral("a field name is empty"));
        m_pos = end + 1;
        return field(name);
    }

    NodePtr parseNumber()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && m_text.at(m_pos).isDigit())
            ++m_pos;
        bool ok = false;
        const qint64 value = m_text.mid(start, m_pos - start).toLongLong(&ok);
        if (!ok || value > std::numeric_limits<int>::max())
            fail(QStringLiteral("the number is too large"));
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::Number;
        node->number = value;
        return node;
    }

    NodePtr parseNameOrCall()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && (isNameStart(m_text.at(m_pos)) || m_text.at(m_pos).isDigit()))
            ++m_pos;
        const QString name = m_text.mid(start, m_pos - start);
        skipBlanks();
        if (atEnd() || m_text.at(m_pos) != u'(')
            return field(name);
        if (name.compare(QLatin1String("copy"), Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("unknown function '%1'").arg(name));
        return parseCopy();
    }

    NodePtr parseCopy()
    {
        ++m_pos; // (
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::Copy;
        while (true) {
            node->arguments.push_back(parseTerm());
            skipBlanks();
            if (atEnd())
                fail(QStringLiteral("')' is missing"));
            const QChar c = m_text.at(m_pos++);
            if (c == u')')
                break;
            if (c != u',')
                fail(QStringLiteral("',' or ')' expected"));
        }
        if (node->arguments.size() != 3)
            fail(QStringLiteral("copy takes a text, a start and a length"));
        if (!node->arguments[0]->isText())
            fail(QStringLiteral("the first argument of copy must be a text"));
        if (node->arguments[1]->isText() || node->arguments[2]->isText())
            fail(QStringLiteral("the start and the length of copy must be numbers"));
        return node;
    }

    NodePtr field(const QString& name)
    {
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::Field;
        node->text = name;
        node->slot = static_cast<int>(m_fieldNames.size());
        for (qsizetype i = 0; i < m_fieldNames.size(); ++i) {
            if (m_fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0) {
                node->slot = static_cast<int>(i);
                return node;
            }
        }
        m_fieldNames.append(name);
        return node;
    }

    static bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }
    bool atEnd() const { return m_pos >= m_text.size(); }
    void skipBlanks()
    {
        while (!atEnd() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw ReportError(
            QStringLiteral("Invalid expression \"%1\": %2 (at position %3)").arg(m_text, what).arg(m_pos + 1));
    }

    const QString& m_text;
    QStringList& m_fieldNames;
    qsizetype m_pos = 0;
};

QString evaluateNode(const Node& node, const RowSource& rows, const std::vector<int>& fieldIndexes)
{
    switch (node.kind) {
    case Node::Kind::Text:
        return node.text;
    case Node::Kind::Field:
        return rows.fieldText(fieldIndexes.at(static_cast<size_t>(node.slot)));
    case Node::Kind::Copy: {
        // As the copy of Pascal: a start before the first character counts from the first; a start past the end
        // or a length below one gives an empty text; a length past the end stops at the end.
        const QString value = evaluateNode(*node.arguments[0], rows, fieldIndexes);
        const qint64 start = std::max<qint64>(node.arguments[1]->number, 1);
        const qint64 length = node.arguments[2]->number;
        if (start > value.size() || length < 1)
            return {};
        return value.mid(static_cast<qsizetype>(start - 1), static_cast<qsizetype>(length));
    }
    case Node::Kind::Number:
        break;
    }
    return QString::number(node.number);
}

} // namespace

Expression::Expression(const QString& text)
    : m_text(text)
{
    m_root = Parser(m_text, m_fieldNames).parse();
}

QString Expression::evaluate(const RowSource& rows, const std::vector<int>& fieldIndexes) const
{
    return evaluateNode(*m_root, rows, fieldIndexes);
}

} // namespace report
