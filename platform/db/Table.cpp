#include "platform/db/Table.h"

#include "platform/db/DataSource.h"
#include "platform/db/EngineError.h"
#include "platform/db/LinkedWrite.h"
#include "platform/db/SequentialCursor.h"
#include "platform/db/Session.h"
#include "platform/db/StoredValue.h"
#include "platform/db/TableCursor.h"
#include "platform/db/TableFile.h"
#include "platform/db/TextSchema.h"
#include "platform/db/TextTableReader.h"

#include <QDir>
#include <QFileInfo>

namespace db {
namespace {

QStringList splitFields(const QString& fields)
{
    QStringList names;
    for (const QString& name : fields.split(u';', Qt::SkipEmptyParts)) {
        if (!name.trimmed().isEmpty())
            names << name.trimmed();
    }
    return names;
}

bool leads(const QStringList& indexFields, const QStringList& wanted)
{
    if (wanted.isEmpty() || wanted.size() > indexFields.size())
        return false;
    for (int i = 0; i < wanted.size(); ++i) {
        if (indexFields.at(i).compare(wanted.at(i), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

Table::Table(QObject* parent)
    : DataSet(parent)
{
}

Table::~Table() = default;

void Table::refuseWhileOpen(const QString& what) const
{
    if (Active()) {
        throw EngineError(QStringLiteral("Cannot change the %1 of table %2 while it is open").arg(what, describe()));
    }
}

void Table::setDatabaseName(const QString& alias)
{
    if (alias == m_databaseName)
        return;
    refuseWhileOpen(QStringLiteral("alias"));
    m_databaseName = alias;
}

void Table::setTableName(const QString& name)
{
    if (name == m_tableName)
        return;
    refuseWhileOpen(QStringLiteral("name"));
    m_tableName = name;
}

void Table::setTableType(Type type)
{
    if (type == m_type)
        return;
    refuseWhileOpen(QStringLiteral("type"));
    m_type = type;
}

void Table::setIndexName(const QString& name)
{
    if (name == m_indexName && m_indexFieldNames.isEmpty())
        return;
    m_indexName = name;
    m_indexFieldNames.clear();
    reorder();
}

void Table::setIndexFieldNames(const QString& fields)
{
    if (fields == m_indexFieldNames && m_indexName.isEmpty())
        return;
    m_indexFieldNames = fields;
    m_indexName.clear();
    reorder();
}

void Table::setMasterSource(DataSource* source)
{
    if (source == m_masterSource)
        return;
    for (const QMetaObject::Connection& connection : m_masterConnections)
        disconnect(connection);
    m_masterConnections.clear();
    m_masterSource = source;
    if (source) {
        m_masterConnections.push_back(connect(source, &DataSource::scrolled, this, [this]() { followMaster(false); }));
        m_masterConnections.push_back(
            connect(source, &DataSource::stateChanged, this, [this]() { followMaster(false); }));
        m_masterConnections.push_back(
            connect(source, &DataSource::dataChanged, this, [this]() { followMaster(true); }));
        m_masterConnections.push_back(
            connect(source, &DataSource::dataSetChanged, this, [this]() { followMaster(true); }));
    }
    followMaster(true);
}

void Table::setMasterFields(const QString& fields)
{
    if (fields == m_masterFields)
        return;
    m_masterFields = fields;
    followMaster(true);
}

bool Table::CanModify() const
{
    return m_type == Type::Default && DataSet::CanModify();
}

QString Table::describe() const
{
    if (cursor())
        return cursor()->name();
    return m_tableName.isEmpty() ? QStringLiteral("(no name)") : m_tableName;
}

QString Table::filePath() const
{
    if (m_type == Type::Default)
        return session().tableFile(m_databaseName, m_tableName);
    // A text table keeps its own extension; only the letter case of its name is matched.
    const QFileInfo info(session().aliasPath(m_databaseName, m_tableName));
    if (info.exists())
        return info.filePath();
    for (const QString& entry : QDir(info.absolutePath()).entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return info.absolutePath() + u'/' + entry;
    }
    return info.filePath();
}

const TableDef& Table::definition() const
{
    return m_definition;
}

TableCursor* Table::tableCursor() const
{
    return m_type == Type::Default ? static_cast<TableCursor*>(cursor()) : nullptr;
}

std::unique_ptr<DataSet::Cursor> Table::openCursor()
{
    if (m_tableName.trimmed().isEmpty())
        throw EngineError(QStringLiteral("Cannot open a table without a name (alias '%1')").arg(m_databaseName));
    if (m_type == Type::Ascii)
        return openTextCursor();
    auto cursor = std::make_unique<TableCursor>(std::make_unique<TableFile>(filePath(), session()));
    configureOrder(*cursor);
    configureRange(*cursor);
    m_definition = cursor->file().definition();
    return cursor;
}

std::unique_ptr<DataSet::Cursor> Table::openTextCursor()
{
    const QString path = filePath();
    const TextSchema schema = TextSchema::load(TextSchema::schemaPathFor(path));
    TextTableReader reader(path, schema);
    // Text tables are small import files: read whole, so the file is free again at once.
    std::vector<QVariantList> rows;
    QVariantList row;
    while (reader.next(row))
        rows.push_back(row);
    m_problemCount = reader.problemCount();
    m_definition = schema.definition;
    return SequentialCursor::fromRows(QFileInfo(path).fileName(), schema.definition.fields, std::move(rows));
}

void Table::configureOrder(TableCursor& cursor) const
{
    const TableDef& definition = cursor.file().definition();
    if (!m_indexName.isEmpty()) {
        if (m_indexName.compare(QStringLiteral("PRIMARY"), Qt::CaseInsensitive) == 0
            && !definition.primaryKey.isEmpty()) {
            cursor.setOrder(definition.primaryKey, false);
        } else if (const IndexDef* index = definition.findIndex(m_indexName)) {
            cursor.setOrder(index->fields, index->caseInsensitive);
        } else {
            throw EngineError(
                QStringLiteral("Index '%1' not found in table %2").arg(m_indexName, cursor.name()), 0, cursor.name());
        }
        return;
    }
    const QStringList wanted = splitFields(m_indexFieldNames);
    if (wanted.isEmpty()) {
        cursor.setOrder(definition.primaryKey, false);
        return;
    }
    // The primary key or a secondary index led by the fields gives the order, complete with its later fields.
    if (leads(definition.primaryKey, wanted)) {
        cursor.setOrder(definition.primaryKey, false);
        return;
    }
    for (const IndexDef& index : definition.indexes) {
        if (leads(index.fields, wanted)) {
            cursor.setOrder(index.fields, index.caseInsensitive);
            return;
        }
    }
    cursor.setOrder(wanted, false);
}

void Table::configureRange(TableCursor& cursor) const
{
    const QStringList masterFields = splitFields(m_masterFields);
    if (!m_masterSource || masterFields.isEmpty()) {
        cursor.clearRange();
        return;
    }
    const DataSet* master = m_masterSource->DataSet();
    if (!master || m_masterSource->State() == DataSetState::Inactive || master->IsEmpty()) {
        cursor.setNoRows();
        return;
    }
    // Master fields pair with the fields of the detail's order, else with fields of the same name.
    QStringList detailFields = splitFields(m_indexFieldNames);
    if (detailFields.isEmpty())
        detailFields = cursor.orderFields();
    const TableDef& definition = cursor.file().definition();
    QList<int> columns;
    QVariantList values;
    for (int i = 0; i < masterFields.size(); ++i) {
        const QString detailField = i < detailFields.size() ? detailFields.at(i) : masterFields.at(i);
        const int column = definition.fieldIndex(detailField);
        if (column < 0) {
            throw EngineError(
                QStringLiteral("Field '%1' not found in table %2").arg(detailField, cursor.name()), 0, cursor.name());
        }
        QVariant value;
        QString why;
        if (!toStoredValue(definition.fields.at(column), master->FieldByName(masterFields.at(i)).Value(), value, why)) {
            cursor.setNoRows(); // no row of the detail can hold the master's value
            return;
        }
        columns << column;
        values << value;
    }
    cursor.setRange(columns, values);
}

void Table::reorder()
{
    TableCursor* cursor = tableCursor();
    if (!cursor)
        return;
    CheckBrowseMode();
    configureOrder(*cursor);
    configureRange(*cursor);
    reload(true);
}

void Table::followMaster(bool reread)
{
    TableCursor* cursor = tableCursor();
    if (!cursor)
        return;
    const QList<int> columns = cursor->rangeColumns();
    const QVariantList values = cursor->rangeValues();
    const bool noRows = cursor->noRows();
    configureRange(*cursor);
    const bool same
        = columns == cursor->rangeColumns() && values == cursor->rangeValues() && noRows == cursor->noRows();
    if (same && !reread)
        return;
    if (State() != DataSetState::Browse) {
        // A pending row belongs to the master row it was started under: settle it there first.
        cursor->setRange(columns, values);
        if (noRows)
            cursor->setNoRows();
        CheckBrowseMode();
        configureRange(*cursor);
    }
    reload(same);
}

void Table::initNewRecord(QVariantList& values)
{
    // A row inserted into a detail belongs to the master's current row.
    if (const TableCursor* cursor = tableCursor(); cursor && !cursor->noRows()) {
        for (int i = 0; i < cursor->rangeColumns().size(); ++i)
            values[cursor->rangeColumns().at(i)] = cursor->rangeValues().at(i);
    }
}

std::unique_ptr<LinkedWrite> Table::beginPostTransaction()
{
    const TableCursor* cursor = tableCursor();
    if (!cursor || m_linkedTables.isEmpty())
        return nullptr;
    QStringList paths;
    for (const QString& name : m_linkedTables)
        paths << session().tableFile(m_databaseName, name);
    return std::make_unique<LinkedWrite>(cursor->file().connection(), cursor->file().path(), paths, session());
}

void Table::Refresh()
{
    checkActive();
    CheckBrowseMode();
    if (TableCursor* cursor = tableCursor())
        configureRange(*cursor);
    reload(true);
}

} // namespace db
