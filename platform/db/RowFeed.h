#pragma once

#include "platform/db/FieldDef.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <memory>

namespace db {

class DataSet;
class TextTableReader;

// Where a batch move's rows come from: a text table's file read directly through its schema, or any other data set
// walked from its first row (opened for the walk when it was closed, its controls left alone meanwhile).
class RowFeed
{
public:
    explicit RowFeed(DataSet& source); // EngineError: a text table without a usable schema, a data set that fails
    ~RowFeed();
    RowFeed(const RowFeed&) = delete;
    RowFeed& operator=(const RowFeed&) = delete;

    // The source's fields; an Alpha field of a data set is at most maxAlphaSize wide.
    const QList<FieldDef>& fields() const { return m_fields; }

    bool next(QVariantList& row); // false after the last row

    // A text file's rows come converted to its fields already; the lines it skipped as problems so far, the first
    // and the last one's description.
    bool converts() const { return m_text != nullptr; }
    qint64 textProblems() const;
    QString firstTextProblem() const;
    QString lastTextProblem() const;

private:
    // Gives the data set its controls back, and closes it when the feed opened it.
    void release();

    QList<FieldDef> m_fields;
    std::unique_ptr<TextTableReader> m_text;
    DataSet* m_dataSet = nullptr;
    bool m_opened = false;
};

} // namespace db
