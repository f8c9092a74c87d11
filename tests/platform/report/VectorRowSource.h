#pragma once

#include "platform/report/RowSource.h"

#include <QStringList>

#include <vector>

// Rows in memory for the engine's tests. Counts how it is walked, to show the walk is a single pass.
class VectorRowSource : public report::RowSource
{
public:
    VectorRowSource(QStringList fields, std::vector<QStringList> rows)
        : m_fields(std::move(fields))
        , m_rows(std::move(rows))
    {
    }

    void first() override
    {
        ++firstCalls;
        m_current = 0;
    }
    void next() override { ++m_current; }
    bool eof() const override { return m_current >= m_rows.size(); }
    int fieldIndex(const QString& name) override
    {
        lookupsAfterFirst += firstCalls > 0 ? 1 : 0;
        for (qsizetype i = 0; i < m_fields.size(); ++i) {
            if (m_fields.at(i).compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        }
        return -1;
    }
    QString fieldText(int index) const override { return m_rows.at(m_current).at(index); }
    size_t position() const { return m_current; } // the current row's index

    int firstCalls = 0;
    int lookupsAfterFirst = 0;

private:
    QStringList m_fields;
    std::vector<QStringList> m_rows;
    size_t m_current = 0;
};
