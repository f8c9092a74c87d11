#pragma once

#include "platform/db/AttachedFile.h"
#include "platform/db/TableDef.h"

#include <QString>
#include <QVariantList>

#include <memory>

namespace db {

class Session;
class SqlStatement;
class TableFile;

// The key-violation table of an append: the rows refused for repeating the destination's key, with the
// destination's fields, no key (so that repeats among them fit too) and its protection.
//
// It is replaced anew by each append that refuses a row, and that replacement must not outlive an append that did
// not happen, nor be missing from one that did. So the table file is not built beside and renamed over the old one
// (a crash between the destination's commit and the rename would leave the old refused rows beside the new import),
// but attached to the destination's connection and rewritten in place, structure and rows, inside the append's own
// transaction: SQLite commits the two files together through its super-journal, and rolls both back otherwise. Only
// a file that cannot serve (missing, not a table of ours, or protected by a password the session lacks) is first
// replaced by an empty table; a crash then leaves that empty table, never rows of an append that did not happen.
class KeyViolationTable
{
public:
    // `path` empty: the append keeps no refused rows.
    KeyViolationTable(const TableFile& destination, QString path, const Session& session);
    ~KeyViolationTable();
    KeyViolationTable(const KeyViolationTable&) = delete;
    KeyViolationTable& operator=(const KeyViolationTable&) = delete;

    bool kept() const { return !m_path.isEmpty(); }
    // Inside the destination's open transaction: the table emptied and given the destination's fields (once), and
    // the schema that names it on the destination's connection, for statements that fill it.
    QString open();
    // A refused row, in the destination's stored values.
    void add(const QVariantList& values);

private:
    const TableFile& m_destination;
    const QString m_path;
    const Session& m_session;
    TableDef m_definition;
    std::unique_ptr<AttachedFile> m_attached;
    std::unique_ptr<SqlStatement> m_insert; // goes before the file it writes is detached
};

} // namespace db
