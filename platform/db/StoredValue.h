#pragma once

#include "platform/db/FieldDef.h"

#include <QString>
#include <QVariant>

namespace db {

// How field values are held and stored: Alpha and Memo as text (a blank as '', so order keys never hold NULL),
// Short as a 16-bit integer or NULL for a blank.

// Converts a value for a field. Returns false, with why it does not fit, when the text is longer than an Alpha
// field or the value is not a 16-bit integer for a Short field; never cuts a value.
bool toStoredValue(const FieldDef& field, const QVariant& value, QVariant& stored, QString& why);

// A value read from SQLite as the field type holds it.
QVariant fromColumnValue(FieldType type, const QVariant& raw);

// Null, or an empty text.
bool isBlankValue(const QVariant& value);

// ASCII letters in lower case, everything else kept: the case rule of case-insensitive indexes and locates.
QString foldAscii(const QString& text);

} // namespace db
