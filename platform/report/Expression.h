#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace report {

class RowSource;

// An expression over the current row, checked when it is built:
//   expression := call | field | 'text' | number
//   call       := copy(expression, number, number)     the part of a text from a start counted from 1
//   field      := Name | [Any Name]
// A syntax error, an unknown function or a wrong argument throws ReportError with the expression's text.
class Expression
{
public:
    explicit Expression(const QString& text);

    const QString& text() const { return m_text; }

    // Names of the fields the expression reads. evaluate() takes, in this order, the row source's index of each.
    const QStringList& fieldNames() const { return m_fieldNames; }
    QString evaluate(const RowSource& rows, const std::vector<int>& fieldIndexes) const;

    struct Node;

private:
    QString m_text;
    QStringList m_fieldNames;
    std::shared_ptr<const Node> m_root;
};

} // namespace report
