#include "platform/db/BatchMove.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSetState.h"
#include "platform/db/EngineError.h"
#include "platform/db/FileIdentity.h"
#include "platform/db/FileReplacement.h"
#include "platform/db/KeyViolationTable.h"
#include "platform/db/Session.h"
#include "platform/db/StoredValue.h"
#include "platform/db/Table.h"
#include "platform/db/TableAppend.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"
#include "platform/db/TextSchema.h"
#include "platform/db/TextTableReader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <memory>

namespace db {
namespace {

// Where the rows come from: a text file read directly, or any data set walked from its first row.
class RowFeed
{
public:
    explicit RowFeed(DataSet& source)
    {
        auto* table = qobject_cast<Table*>(&source);
        if (table && table->TableType() == Table::Type::Ascii) {
            const QString path = table->filePath();
            const TextSchema schema = TextSchema::load(TextSchema::schemaPathFor(path));
            m_fields = schema.definition.fields;
            m_text = std::make_unique<TextTableReader>(path, schema);
            return;
        }
        m_dataSet = &source;
        if (!source.Active()) {
            source.Open();
            m_opened = true;
        }
        source.DisableControls();
        for (int i = 0; i < source.FieldCount(); ++i) {
            const Field& field = source.fieldAt(i);
            const int size = field.DataType() == FieldType::Alpha ? std::clamp(field.Size(), 1, maxAlphaSize) : 0;
            m_fields.append(FieldDef { field.FieldName(), field.DataType(), size });
        }
        source.First();
    }

    ~RowFeed()
    {
        if (!m_dataSet)
            return;
        m_dataSet->EnableControls();
        if (m_opened) {
            try {
                m_dataSet->Close();
            } catch (...) {
                // Closing a data set in browse state does not write; nothing here can be left undone.
            }
        }
    }
    RowFeed(const RowFeed&) = delete;
    RowFeed& operator=(const RowFeed&) = delete;

    const QList<FieldDef>& fields() const { return m_fields; }

    bool next(QVariantList& row)
    {
        if (m_text)
            return m_text->next(row);
        if (m_dataSet->Eof())
            return false;
        row = m_dataSet->currentValues();
        m_dataSet->Next();
        return true;
    }

    // Lines of a text file skipped as problems so far, and the last one's description.
    // A text file's rows come converted to its fields already.
    bool converts() const { return m_text != nullptr; }
    qint64 textProblems() const { return m_text ? m_text->problemCount() : 0; }
    QString lastTextProblem() const { return m_text ? m_text->lastProblem() : QString(); }
    QString firstTextProblem() const { return m_text ? m_text->firstProblem() : QString(); }

private:
    QList<FieldDef> m_fields;
    std::unique_ptr<TextTableReader> m_text;
    DataSet* m_dataSet = nullptr;
    bool m_opened = false;
};

bool convertRow(const QList<FieldDef>& fields, const QVariantList& row, QVariantList& values, QString& why)
{
    values.clear();
    for (int i = 0; i < fields.size(); ++i) {
        QVariant value;
        QString reason;
        if (!toStoredValue(fields.at(i), row.value(i), value, reason)) {
            why = QStringLiteral("field '%1' cannot take the value: %2").arg(fields.at(i).name, reason);
            return false;
        }
        values.append(value);
    }
    return true;
}

// The rows of a feed converted to a table's fields. Rows that do not convert are problems: counted, or they stop
// the move.
class ConvertedRows
{
public:
    ConvertedRows(DataSet& source, QString destinationName, bool abortOnProblem)
        : m_feed(source)
        , m_destinationName(std::move(destinationName))
        , m_abortOnProblem(abortOnProblem)
    {
    }

    const QList<FieldDef>& sourceFields() const { return m_feed.fields(); }
    qint64 problemCount() const { return m_problemCount; }
    const QString& firstProblem() const { return m_firstProblem; }

    // The next row that converts to the fields.
    bool next(const QList<FieldDef>& fields, QVariantList& values)
    {
        // Rows already of the fields need no second conversion: the values that fit a text file's field fit the
        // same field of a table.
        if (m_fieldsChecked != &fields) {
            m_fieldsChecked = &fields;
            m_converted = m_feed.converts() && fields == m_feed.fields();
        }
        const bool converted = m_converted;
        QVariantList row;
        for (;;) {
            const bool more = m_feed.next(converted ? values : row);
            if (m_feed.textProblems() > m_textProblems) {
                m_problemCount += m_feed.textProblems() - m_textProblems;
                m_textProblems = m_feed.textProblems();
                if (m_firstProblem.isEmpty())
                    m_firstProblem = m_feed.firstTextProblem();
                if (m_abortOnProblem) {
                    throw EngineError(QStringLiteral("The batch move into %1 stopped: %2")
                                          .arg(m_destinationName, m_feed.lastTextProblem()),
                        0, m_destinationName);
                }
            }
            if (!more)
                return false;
            ++m_rowNumber;
            QString why;
            if (converted || convertRow(fields, row, values, why))
                return true;
            ++m_problemCount;
            if (m_firstProblem.isEmpty())
                m_firstProblem = QStringLiteral("row %1: %2").arg(m_rowNumber).arg(why);
            if (m_abortOnProblem)
                throw stoppedAt(m_destinationName, m_rowNumber, why);
        }
    }

    static EngineError stoppedAt(const QString& destinationName, qint64 rowNumber, const QString& why)
    {
        return EngineError(QStringLiteral("The batch move into %1 stopped at row %2: %3")
                               .arg(destinationName, QString::number(rowNumber), why),
            0, destinationName);
    }

private:
    RowFeed m_feed;
    const QString m_destinationName;
    const bool m_abortOnProblem;
    const QList<FieldDef>* m_fieldsChecked = nullptr;
    bool m_converted = false;
    qint64 m_textProblems = 0;
    qint64 m_rowNumber = 0;
    qint64 m_problemCount = 0;
    QString m_firstProblem;
};

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
    if (m_mode == Mode::Copy) {
        copy();
        return;
    }

    Session& session = m_destination->session();
    const TableFile destination(m_destination->filePath(), session);
    // Refused rows are kept only by a move that goes on past them.
    const QString keyViolPath = m_keyViolTableName.isEmpty() || m_abortOnKeyViol
        ? QString()
        : session.tableFile(m_destination->DatabaseName(), m_keyViolTableName);
    // The refused rows replace what the key-violation table holds: it cannot be where the rows come from.
    const auto* const table = qobject_cast<const Table*>(m_source.data());
    if (table && table->TableType() == Table::Type::Default && !keyViolPath.isEmpty()
        && sameFile(table->filePath(), keyViolPath)) {
        throw EngineError(QStringLiteral("The key-violation table %1 cannot be the source of the batch move")
                              .arg(QFileInfo(keyViolPath).fileName()),
            0, destination.name());
    }
    // Declared first: it is detached from the destination's connection only once the transaction has ended.
    KeyViolationTable violations(destination, keyViolPath, session);
    TableDef sourceDefinition;
    const QString sourcePath = tableSource(destination, sourceDefinition);
    if (!sourcePath.isEmpty())
        appendTable(destination, sourcePath, sourceDefinition, violations);
    else
        appendRows(destination, violations);
    if (m_destination->Active())
        m_destination->Refresh();
}

void BatchMove::copy()
{
    const QString destinationPath = m_destination->filePath();
    const QString destinationName = QFileInfo(destinationPath).fileName();
    ConvertedRows rows(*m_source, destinationName, m_abortOnProblem);
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
        throw ConvertedRows::stoppedAt(destination.name(), append.firstProblemRow(), append.firstProblem());
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
    ConvertedRows rows(*m_source, destination.name(), m_abortOnProblem);
    const auto refuse = [&](const QVariantList& row) {
        ++m_keyViolCount;
        if (m_abortOnKeyViol)
            throw stoppedByKey(destination.name());
        if (violations.kept())
            violations.add(row);
    };

    // Into an empty table every index is built once at the end, and repeated keys are found then.
    const bool bulk = destination.rowCount() == 0;
    TableLoad load(destination, bulk ? TableLoad::KeyCheck::AtCommit : TableLoad::KeyCheck::EachRow);
    QVariantList values;
    while (rows.next(fields, values)) {
        try {
            load.insertStored(values);
            ++m_movedCount;
        } catch (const KeyViolation&) {
            refuse(values);
        }
    }
    m_problemCount = rows.problemCount();
    m_firstProblem = rows.firstProblem();
    if (bulk) {
        for (const QVariantList& row : load.takeRepeatedKeys()) {
            --m_movedCount;
            refuse(row);
        }
    }
    // The refused rows were written inside the load's transaction: they commit with the rows added.
    load.commit();
}

} // namespace db
