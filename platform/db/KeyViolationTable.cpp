#include "platform/db/KeyViolationTable.h"

#include "platform/db/EngineError.h"
#include "platform/db/FileIdentity.h"
#include "platform/db/Session.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlStatementReset.h"
#include "platform/db/TableFile.h"

#include <QFileInfo>

namespace db {
namespace {

const QString Schema = QStringLiteral("keyviol");

} // namespace

KeyViolationTable::KeyViolationTable(const TableFile& destination, QString path, const Session& session)
    : m_destination(destination)
    , m_path(std::move(path))
    , m_session(session)
{
    m_definition.fields = destination.definition().fields;
}

KeyViolationTable::~KeyViolationTable() = default;

QString KeyViolationTable::open()
{
    if (m_attached)
        return m_attached->schema();
    if (!kept())
        throw EngineError(QStringLiteral("The batch move names no key-violation table"));
    const QString name = QFileInfo(m_path).fileName();
    if (sameFile(m_path, m_destination.path())) {
        throw EngineError(QStringLiteral("The key-violation table %1 cannot be the table appended to").arg(name), 0,
            m_destination.name());
    }
    QString password;
    for (const QString& candidate : m_session.passwords()) {
        if (password.isEmpty() && m_destination.acceptsPassword(candidate))
            password = candidate;
    }
    try {
        const TableFile usable(m_path, m_session);
    } catch (const EngineError& error) {
        if (error.isBusy())
            throw;
        TableFile::create(m_path, m_definition, password);
    }
    m_attached = std::make_unique<AttachedFile>(m_destination.connection(), m_path, Schema);
    TableFile::rewriteAttached(m_destination.connection(), Schema, m_path, m_definition, password);
    return Schema;
}

void KeyViolationTable::add(const QVariantList& values)
{
    if (!m_insert) {
        m_insert = std::make_unique<SqlStatement>(
            m_destination.connection(), TableFile::insertSql(open(), m_definition.fields));
    }
    for (int i = 0; i < m_definition.fields.size(); ++i)
        m_insert->bind(i + 1, values.value(i));
    const SqlStatementReset done(*m_insert);
    m_insert->step();
}

} // namespace db
