#include "platform/db/BatchMove.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSetState.h"
#include "platform/db/EngineError.h"
#include "platform/db/FileIdentity.h"
#include "platform/db/FileReplacement.h"
#include "platform/db/KeyViolationTable.h"
#include "platform/db/RowConverter.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/db/TableAppend.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

#include <QDir>
#include <QFileInfo>

namespace db {
namespace {

KeyViolation stoppedByKey(const QString& destinationName)
{
    return KeyViolation(QStringLiteral("Key violation in table %1: the batch move was stopped").arg(destinationName), 0,
        destinationName);
}

} // namespace

BatchMove::BatchMove(QObject* parent)
    : QObject(parent)
{
}

void BatchMove::Execute()
{
    if (!m_source)
        throw EngineError(QStringLiteral("The batch move has no source"));
    if (!m_destination)
        throw EngineError(QStringLiteral("The batch move has no destination table"));
    m_movedCount = 0;
    m_keyViolCount = 0;
    m_problemCount = 0;
    m_firstProblem.clear();
    if (m_mode == Mode::Copy)
        copy();
    else
        append();
}

void BatchMove::copy()
{
    const QString destinationPath = m_destination->filePath();
    const QString destinationName = QFileInfo(destinationPath).fileName();
    RowConverter rows(*m_source, destinationName, m_abortOnProblem);
    // Built beside the destination and renamed over it: a crash leaves the old table or the whole new one.
    TableDef definition;
    definition.fields = rows.sourceFields();
    m_destination->Close();
    FileReplacement replacement(destinationPath);
    TableFile::create(replacement.buildingPath(), definition);
    {
        const TableFile table(replacement.buildingPath(), m_destination->session());
        TableLoad load(table);
        QVariantList values;
        while (rows.next(table.definition().fields, values)) {
            load.insertStored(values);
            ++m_movedCount;
        }
        m_problemCount = rows.problemCount();
        m_firstProblem = rows.firstProblem();
        load.commit();
    }
    if (!replacement.replaceTarget()) {
        throw EngineError(QStringLiteral("Cannot replace table %1: %2")
                              .arg(destinationName, QDir::toNativeSeparators(destinationPath)),
            0, destinationName);
    }
}

void BatchMove::append()
{
    Session& session = m_destination->session();
    const TableFile destination(m_destination->filePath(), session);
    // Declared first: it is detached from the destination's connection only once the transaction has ended.
    KeyViolationTable violations(destination, keyViolationPath(destination), session);
    TableDef sourceDefinition;
    const QString sourcePath = tableSource(destination, sourceDefinition);
    if (!sourcePath.isEmpty())
        appendTable(destination, sourcePath, sourceDefinition, violations);
    else
        appendRows(destination, violations);
    if (m_destination->Active())
        m_destination->Refresh();
}

QString BatchMove::keyViolationPath(const TableFile& destination) const
{
    // Refused rows are kept only by a move that goes on past them.
    if (m_keyViolTableName.isEmpty() || m_abortOnKeyViol)
        return {};
    const QString path = m_destination->session().tableFile(m_destination->DatabaseName(), m_keyViolTableName);
    // The refused rows replace what the key-violation table holds: it cannot be where the rows come from.
    const auto* const table = qobject_cast<const Table*>(m_source.data());
    if (table && table->TableType() == Table::Type::Default && sameFile(table->filePath(), path)) {
        throw EngineError(QStringLiteral("The key-violation table %1 cannot be the source of the batch move")
                              .arg(QFileInfo(path).fileName()),
            0, destination.name());
    }
    return path;
}

QString BatchMove::tableSource(const TableFile& destination, TableDef& sourceDefinition) const
{
    auto* const table = qobject_cast<Table*>(m_source.data());
    if (!table || table->TableType() != Table::Type::Default)
        return {};
    const QString path = table->filePath();
    // Rows read as the table shows them: all of them, in stored order, with nothing pending.
    if (table->MasterSource() || !table->IndexName().isEmpty() || !table->IndexFieldNames().isEmpty()
        || (table->Active() && table->State() != DataSetState::Browse) || sameFile(path, destination.path())) {
        return {};
    }
    const TableFile file(path, table->session());
    if (!TableAppend::suits(file.definition(), destination.definition()))
        return {};
    sourceDefinition = file.definition();
    return path;
}

void BatchMove::appendTable(const TableFile& destination, const QString& sourcePath, const TableDef& sourceDefinition,
    KeyViolationTable& violations)
{
    TableAppend append(destination, sourcePath, sourceDefinition);
    m_problemCount = append.problemCount();
    if (append.problemCount() > 0)
        m_firstProblem = QStringLiteral("row %1: %2").arg(append.firstProblemRow()).arg(append.firstProblem());
    // As the rows come, in stored order: the first problem or the first refused row stops the move.
    const bool stopsAtKey = m_abortOnKeyViol && append.refusedCount() > 0;
    if (m_abortOnProblem && append.problemCount() > 0 && !(stopsAtKey && append.refusesBeforeProblem()))
        throw RowConverter::stoppedAt(destination.name(), append.firstProblemRow(), append.firstProblem());
    if (stopsAtKey) {
        m_keyViolCount = append.refusedCount();
        throw stoppedByKey(destination.name());
    }
    m_movedCount = append.commit(violations);
    m_keyViolCount = append.refusedCount();
}

void BatchMove::appendRows(const TableFile& destination, KeyViolationTable& violations)
{
    const QList<FieldDef>& fields = destination.definition().fields;
    RowConverter rows(*m_source, destination.name(), m_abortOnProblem);
    // Into an empty table every index is built once at the end, and repeated keys are found then.
    const bool bulk = destination.rowCount() == 0;
    TableLoad load(destination, bulk ? TableLoad::KeyCheck::AtCommit : TableLoad::KeyCheck::EachRow);
    QVariantList values;
    while (rows.next(fields, values)) {
        try {
            load.insertStored(values);
            ++m_movedCount;
        } catch (const KeyViolation&) {
            refuse(values, destination.name(), violations);
        }
    }
    m_problemCount = rows.problemCount();
    m_firstProblem = rows.firstProblem();
    if (bulk) {
        for (const QVariantList& row : load.takeRepeatedKeys()) {
            --m_movedCount;
            refuse(row, destination.name(), violations);
        }
    }
    // The refused rows were written inside the load's transaction: they commit with the rows added.
    load.commit();
}

void BatchMove::refuse(const QVariantList& row, const QString& destinationName, KeyViolationTable& violations)
{
    ++m_keyViolCount;
    if (m_abortOnKeyViol)
        throw stoppedByKey(destinationName);
    if (violations.kept())
        violations.add(row);
}

} // namespace db
