#include "platform/db/RowFeed.h"

#include "platform/db/DataSet.h"
#include "platform/db/Table.h"
#include "platform/db/TextSchema.h"
#include "platform/db/TextTableReader.h"

#include <algorithm>

namespace db {

RowFeed::RowFeed(DataSet& source)
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
    try {
        // Posts a row being edited, which can fail; the source's controls must follow it again then.
        source.First();
    } catch (...) {
        release();
        throw;
    }
}

RowFeed::~RowFeed()
{
    release();
}

void RowFeed::release()
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
    m_dataSet = nullptr;
}

bool RowFeed::next(QVariantList& row)
{
    if (m_text)
        return m_text->next(row);
    if (m_dataSet->Eof())
        return false;
    row = m_dataSet->currentValues();
    m_dataSet->Next();
    return true;
}

qint64 RowFeed::textProblems() const
{
    return m_text ? m_text->problemCount() : 0;
}

QString RowFeed::firstTextProblem() const
{
    return m_text ? m_text->firstProblem() : QString();
}

QString RowFeed::lastTextProblem() const
{
    return m_text ? m_text->lastProblem() : QString();
}

} // namespace db
