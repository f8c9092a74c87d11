#include "directory/IncrementalSearch.h"

#include "directory/SearchKeys.h"
#include "platform/db/DataSet.h"
#include "platform/ui/VirtualKey.h"

#include <utility>

IncrementalSearch::IncrementalSearch(db::DataSet& dataSet, QString fieldName)
    : m_dataSet(dataSet)
    , m_fieldName(std::move(fieldName))
{
}

bool IncrementalSearch::releaseKey(int virtualKey, const QString& boxText, QString& searchText)
{
    if (SearchKeys::takesFieldText(virtualKey)) {
        searchText = boxText;
        return false;
    }
    if (virtualKey == ui::keyCode::escape) {
        searchText.clear();
        return true;
    }
    return false;
}

IncrementalSearch::Outcome IncrementalSearch::lookUp(const QString& searchText) const
{
    if (searchText.isEmpty())
        return Outcome::Skipped;
    // Whatever the engine raises, the search only reports that the look-up failed.
    try {
        return m_dataSet.Locate(
                   m_fieldName, searchText, db::LocateOption::CaseInsensitive | db::LocateOption::PartialKey)
            ? Outcome::Found
            : Outcome::NoMatch;
    } catch (...) {
        return Outcome::Failed;
    }
}
