#pragma once

#include <QString>

namespace db {
class DataSet;
} // namespace db

// The incremental search of a search box, without the box: what the release of a key does to the search text, and
// the look-up of the first record, in the data set's order, whose field begins with that text in any case. The form
// holds the search text and the box, and says what a failing look-up means to the user.
class IncrementalSearch
{
public:
    enum class Outcome
    {
        Skipped, // the search text is empty: nothing is looked up
        Found, // the first match is now the current record
        NoMatch, // the current record stays, and nothing need be said
        Failed, // the look-up raised an error, which ends here
    };

    IncrementalSearch(db::DataSet& dataSet, QString fieldName);

    // Applies the release of a key in a box holding boxText: a key of the set (SearchKeys) takes the box's text as
    // the search text, Esc empties it, any other key leaves it as it was. Returns whether the box is emptied too.
    static bool releaseKey(int virtualKey, const QString& boxText, QString& searchText);

    // Moves to the first record whose field begins with the search text, without regard to case.
    Outcome lookUp(const QString& searchText) const;

private:
    db::DataSet& m_dataSet;
    const QString m_fieldName;
};
