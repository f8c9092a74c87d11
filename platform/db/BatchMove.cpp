#include "platform/db/BatchMove.h"

#include "platform/db/DataSet.h"
#include "platform/db/EngineError.h"
#include "platform/db/FileReplacement.h"
#include "platform/db/Session.h"
#include "platform/db/StoredValue.h"
#include "platform/db/Table.h"
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

constexpr int WidestAlpha = 255;

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
            const int size = field.DataType() == FieldType::Alpha ? std::clamp(field.Size(), 1, WidestAlpha) : 0;
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

    Session& session = m_destination->session();
    const QString destinationPath = m_destination->filePath();
    const QString destinationName = QFileInfo(destinationPath).fileName();
    RowFeed feed(*m_source);
    qint64 textProblems = 0;
    qint64 rowNumber = 0;

    // The next row that converts to the destination's fields; problems are counted, or stop the move.
    const auto nextRow = [&](const QList<FieldDef>& fields, QVariantList& values) {
        QVariantList row;
        for (;;) {
            const bool more = feed.next(row);
            if (feed.textProblems() > textProblems) {
                m_problemCount += feed.textProblems() - textProblems;
                textProblems = feed.textProblems();
                if (m_firstProblem.isEmpty())
                    m_firstProblem = feed.firstTextProblem();
                if (m_abortOnProblem) {
                    throw EngineError(QStringLiteral("The batch move into %1 stopped: %2")
                                          .arg(destinationName, feed.lastTextProblem()),
                        0, destinationName);
                }
            }
            if (!more)
                return false;
            ++rowNumber;
            QString why;
            if (convertRow(fields, row, values, why))
                return true;
            ++m_problemCount;
            if (m_firstProblem.isEmpty())
                m_firstProblem = QStringLiteral("row %1: %2").arg(rowNumber).arg(why);
            if (m_abortOnProblem) {
                throw EngineError(QStringLiteral("The batch move into %1 stopped at row %2: %3")
                                      .arg(destinationName, QString::number(rowNumber), why),
                    0, destinationName);
            }
        }
    };

    QVariantList values;
    if (m_mode == Mode::Copy) {
        // Built beside the destination and renamed over it: a crash leaves the old table or the whole new one.
        TableDef definition;
        definition.fields = feed.fields();
        m_destination->Close();
        FileReplacement replacement(destinationPath);
        TableFile::create(replacement.buildingPath(), definition);
        {
            const TableFile table(replacement.buildingPath(), session);
            TableLoad load(table);
            while (nextRow(table.definition().fields, values)) {
                load.insert(values);
                ++m_movedCount;
            }
            load.commit();
        }
        if (!replacement.replaceTarget()) {
            throw EngineError(QStringLiteral("Cannot replace table %1: %2")
                                  .arg(destinationName, QDir::toNativeSeparators(destinationPath)),
                0, destinationName);
        }
        return;
    }

    TableFile destination(destinationPath, session);
    const QList<FieldDef>& fields = destination.definition().fields;
    std::unique_ptr<TableFile> violations;
    std::unique_ptr<TableLoad> violationLoad;
    // A row whose key the destination holds already goes to the key-violation table, when the move names one.
    // That table keeps the destination's fields but no key, so that repeats among the refused rows fit too, and is
    // protected like the destination.
    const auto refuse = [&](const QVariantList& row) {
        ++m_keyViolCount;
        if (m_abortOnKeyViol) {
            throw KeyViolation(
                QStringLiteral("Key violation in table %1: the batch move was stopped").arg(destinationName), 0,
                destinationName);
        }
        if (m_keyViolTableName.isEmpty())
            return;
        if (!violations) {
            const QString path = session.tableFile(m_destination->DatabaseName(), m_keyViolTableName);
            QString password;
            for (const QString& candidate : session.passwords()) {
                if (password.isEmpty() && destination.acceptsPassword(candidate))
                    password = candidate;
            }
            TableDef definition;
            definition.fields = fields;
            TableFile::create(path, definition, password);
            violations = std::make_unique<TableFile>(path, session);
            violationLoad = std::make_unique<TableLoad>(*violations);
        }
        violationLoad->insert(row);
    };

    // Into an empty table every index is built once at the end, and repeated keys are found then.
    const bool bulk = destination.rowCount() == 0;
    TableLoad load(destination, bulk ? TableLoad::KeyCheck::AtCommit : TableLoad::KeyCheck::EachRow);
    while (nextRow(fields, values)) {
        try {
            load.insert(values);
            ++m_movedCount;
        } catch (const KeyViolation&) {
            refuse(values);
        }
    }
    if (bulk) {
        for (const QVariantList& row : load.takeRepeatedKeys()) {
            --m_movedCount;
            refuse(row);
        }
    }
    load.commit();
    if (violationLoad)
        violationLoad->commit();
    if (m_destination->Active())
        m_destination->Refresh();
}

} // namespace db
