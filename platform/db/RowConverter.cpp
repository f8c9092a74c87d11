#include "platform/db/RowConverter.h"

#include "platform/db/StoredValue.h"

namespace db {
namespace {

bool convertRow(const QList<FieldDef>& fields, const QVariantList& row, QVariantList& values, QString& why)
{
    values.clear();
    for (int i = 0; i < fields.size(); ++i) {
        QVariant value;
        QString reason;
        if (!toStoredValue(fields.at(i), row.value(i), value, reason)) {
            why = QStringLiteral("field '%1' cannot take the value: %2").arg(fields.at(i).name, reason);
            return false;
        }
        values.append(value);
    }
    return true;
}

} // namespace

RowConverter::RowConverter(DataSet& source, QString destinationName, bool abortOnProblem)
    : m_feed(source)
    , m_destinationName(std::move(destinationName))
    , m_abortOnProblem(abortOnProblem)
{
}

bool RowConverter::next(const QList<FieldDef>& fields, QVariantList& values)
{
    // Rows already of the fields need no second conversion: the values that fit a text file's field fit the same
    // field of a table.
    if (m_fieldsChecked != &fields) {
        m_fieldsChecked = &fields;
        m_converted = m_feed.converts() && fields == m_feed.fields();
    }
    for (;;) {
        const bool more = m_feed.next(m_converted ? values : m_row);
        countTextProblems();
        if (!more)
            return false;
        ++m_rowNumber;
        QString why;
        if (m_converted || convertRow(fields, m_row, values, why))
            return true;
        ++m_problemCount;
        if (m_firstProblem.isEmpty())
            m_firstProblem = QStringLiteral("row %1: %2").arg(m_rowNumber).arg(why);
        if (m_abortOnProblem)
            throw stoppedAt(m_destinationName, m_rowNumber, why);
    }
}

void RowConverter::countTextProblems()
{
    const qint64 skipped = m_feed.textProblems();
    if (skipped <= m_textProblems)
        return;
    m_problemCount += skipped - m_textProblems;
    m_textProblems = skipped;
    if (m_firstProblem.isEmpty())
        m_firstProblem = m_feed.firstTextProblem();
    if (m_abortOnProblem) {
        throw EngineError(
            QStringLiteral("The batch move into %1 stopped: %2").arg(m_destinationName, m_feed.lastTextProblem()), 0,
            m_destinationName);
    }
}

EngineError RowConverter::stoppedAt(const QString& destinationName, qint64 rowNumber, const QString& why)
{
    return EngineError(QStringLiteral("The batch move into %1 stopped at row %2: %3")
                           .arg(destinationName, QString::number(rowNumber), why),
        0, destinationName);
}

} // namespace db
