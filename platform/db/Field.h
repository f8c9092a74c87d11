#pragma once

#include "platform/db/FieldType.h"

#include <QString>
#include <QVariant>

namespace db {

class DataSet;

// A field of a data set: its stored definition, the display settings a form gives it, and access to its value
// in the data set's current record. A null value reads as an empty string or 0.
class Field
{
public:
    Field(DataSet& dataSet, int index, QString name, FieldType type, int size);

    DataSet& dataSet() const { return m_dataSet; }
    int index() const { return m_index; }
    const QString& FieldName() const { return m_name; }
    FieldType DataType() const { return m_type; }
    int Size() const { return m_size; }

    QString DisplayLabel() const; // the label, else the field name
    void setDisplayLabel(const QString& label) { m_displayLabel = label; }
    int DisplayWidth() const; // the width set, else the field's size (Alpha), 6 (Short) or 10 (Memo)
    void setDisplayWidth(int characters) { m_displayWidth = characters; }
    bool Required() const { return m_required; }
    void setRequired(bool required) { m_required = required; }
    bool Visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;

    // Setting needs the data set in Edit or Insert state. A text longer than an Alpha field, or a value that is
    // not a 16-bit integer for a Short field, is refused with an EngineError naming the field.
    void setValue(const QVariant& value);
    void setAsString(const QString& value);
    void setAsInteger(int value);
    void Clear();

private:
    friend class DataSet;

    void attach(FieldType type, int size); // the stored type, learnt when the data set opens

    DataSet& m_dataSet;
    int m_index;
    QString m_name;
    FieldType m_type;
    int m_size;
    QString m_displayLabel;
    int m_displayWidth = 0;
    bool m_required = false;
    bool m_visible = true;
    bool m_readOnly = false;
};

} // namespace db
