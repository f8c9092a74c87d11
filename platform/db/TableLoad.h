#pragma once

#include "platform/db/SqlTransaction.h"
#include "platform/db/TableDef.h"

#include <QList>
#include <QVariantList>

#include <memory>
#include <vector>

namespace db {

class SqlStatement;
class TableFile;

// Rows loaded into one table file by tools and batch moves, as one transaction: rolled back at destruction unless
// committed. Rows come in stored field order; a value that does not fit its field throws an EngineError naming the
// field. A load into an empty table builds its secondary indexes once, at commit.
class TableLoad
{
public:
    // Page cache of a large load, in KiB. SQLite sorts for an index build in memory of the same size, so a load with
    // indexes grows the process by about twice this: kept well under 64 MB.
    static constexpr int CacheKib = 24 * 1024;

    enum class KeyCheck
    {
        // A row repeating the primary key (or any unique index) throws KeyViolation as it arrives.
        EachRow,
        // Into an empty table only (EngineError otherwise): every index, the primary key's too, is built once at
        // commit; much quicker for large loads. takeRepeatedKeys() finds repeated keys, and a commit that still
        // finds one throws KeyViolation.
        AtCommit,
    };

    explicit TableLoad(const TableFile& table, KeyCheck keyCheck = KeyCheck::EachRow);
    ~TableLoad();
    TableLoad(const TableLoad&) = delete;
    TableLoad& operator=(const TableLoad&) = delete;

    void insert(const QVariantList& values);
    // A row already in the table's stored values (toStoredValue for each field), as a batch move converts them.
    void insertStored(const QVariantList& values);
    // The rows repeating a unique key (all but the first row of each key, in the order inserted), removed from the
    // load.
    std::vector<QVariantList> takeRepeatedKeys();
    void commit();

private:
    void suspendIndexes(KeyCheck keyCheck);
    SqlStatement& insertStatement();

    const TableFile& m_table;
    SqlTransaction m_transaction;
    std::unique_ptr<SqlStatement> m_insert; // goes before the transaction it runs in
    QList<IndexDef> m_suspendedIndexes; // dropped for a load into an empty table, rebuilt at commit
};

} // namespace db
