#include "platform/db/FieldType.h"

#include "platform/db/EngineError.h"

namespace db {

QString fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Alpha:
        return QStringLiteral("Alpha");
    case FieldType::Short:
        return QStringLiteral("Short");
    case FieldType::Memo:
        return QStringLiteral("Memo");
    }
    return QStringLiteral("Alpha");
}

FieldType fieldTypeFromName(const QString& name)
{
    for (const FieldType type : { FieldType::Alpha, FieldType::Short, FieldType::Memo }) {
        if (name.compare(fieldTypeName(type), Qt::CaseInsensitive) == 0)
            return type;
    }
    throw EngineError(QStringLiteral("Unknown field type '%1'").arg(name));
}

} // namespace db
