#pragma once

#include "platform/report/RowSource.h"

#include <vector>

namespace db {
class DataSet;
class Field;
} // namespace db

namespace report {

// The rows of a database cursor (table or query) as it was left by its owner: open, in its own order.
class DataSetRowSource : public RowSource
{
public:
    explicit DataSetRowSource(db::DataSet& dataSet);

    void first() override;
    void next() override;
    bool eof() const override;
    int fieldIndex(const QString& name) override;
    QString fieldText(int index) const override;

private:
    void checkActive() const;

    db::DataSet& m_dataSet;
    std::vector<const db::Field*> m_fields;
};

} // namespace report
