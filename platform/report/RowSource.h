#pragma once

#include <QString>

namespace report {

// The rows a report walks, once, from the first to the end. Fields are looked up by name once before the walk and
// read by the index that lookup returned.
class RowSource
{
public:
    virtual ~RowSource() = default;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;

    virtual int fieldIndex(const QString& name) = 0; // -1 when the rows have no such field
    virtual QString fieldText(int index) const = 0; // the current row's value as stored
};

} // namespace report
