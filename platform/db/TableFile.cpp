#include "platform/db/TableFile.h"

#include "platform/db/EngineError.h"
#include "platform/db/FileReplacement.h"
#include "platform/db/Session.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlStatement.h"
#include "platform/db/SqlTransaction.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <algorithm>

namespace db {
namespace {

// Marks a SQLite file as one of our tables; a change of the layout below changes the number.
const QString FormatMarker = QStringLiteral("dbengine table 1");

// A table being built beside its target is named as the target: that is the file the user knows, and the one
// left when the build is over.
QString displayName(const QString& path)
{
    return QFileInfo(FileReplacement::targetOf(path)).fileName();
}

// The whole path, for the user to find the file by.
QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QByteArray passwordHash(const QByteArray& salt, const QString& password)
{
    return QCryptographicHash::hash(salt + password.toUtf8(), QCryptographicHash::Sha256).toHex();
}

bool isReservedName(const QString& name)
{
    // rowid names would hide the row id the cursors order by; the others are the file's own tables.
    static const QStringList reserved { QStringLiteral("rowid"), QStringLiteral("oid"), QStringLiteral("_rowid_"),
        QStringLiteral("records"), QStringLiteral("dbengine_meta"), QStringLiteral("dbengine_fields"),
        QStringLiteral("dbengine_indexes") };
    return reserved.contains(name, Qt::CaseInsensitive);
}

bool isUsableName(const QString& name)
{
    if (name.trimmed().isEmpty() || name.contains(u';'))
        return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x20; });
}

[[noreturn]] void refuse(const QString& path, const QString& why)
{
    throw EngineError(QStringLiteral("Cannot create table %1: %2").arg(displayName(path), why), 0, displayName(path));
}

void checkFields(const QString& path, const TableDef& definition, const QStringList& fields, const QString& index)
{
    if (fields.isEmpty())
        refuse(path, QStringLiteral("index '%1' has no fields").arg(index));
    for (const QString& field : fields) {
        if (definition.fieldIndex(field) < 0)
            refuse(path, QStringLiteral("index '%1' names the unknown field '%2'").arg(index, field));
    }
}

TableDef validated(const QString& path, const TableDef& definition)
{
    TableDef result = definition;
    if (result.fields.isEmpty())
        refuse(path, QStringLiteral("it has no fields"));
    for (int i = 0; i < result.fields.size(); ++i) {
        FieldDef& field = result.fields[i];
        if (!isUsableName(field.name) || isReservedName(field.name))
            refuse(path, QStringLiteral("'%1' cannot be a field name").arg(field.name));
        if (result.fieldIndex(field.name) != i)
            refuse(path, QStringLiteral("the field '%1' appears twice").arg(field.name));
        if (field.type == FieldType::Alpha && (field.size < 1 || field.size > maxAlphaSize)) {
            refuse(
                path, QStringLiteral("the Alpha field '%1' needs a size of 1 to %2").arg(field.name).arg(maxAlphaSize));
        }
        if (field.type != FieldType::Alpha)
            field.size = 0;
    }
    if (!result.primaryKey.isEmpty())
        checkFields(path, result, result.primaryKey, QStringLiteral("PRIMARY"));
    for (int i = 0; i < result.indexes.size(); ++i) {
        const IndexDef& index = result.indexes.at(i);
        if (!isUsableName(index.name) || isReservedName(index.name)
            || index.name.compare(QStringLiteral("PRIMARY"), Qt::CaseInsensitive) == 0)
            refuse(path, QStringLiteral("'%1' cannot be an index name").arg(index.name));
        if (result.findIndex(index.name) != &index)
            refuse(path, QStringLiteral("the index '%1' appears twice").arg(index.name));
        checkFields(path, result, index.fields, index.name);
    }
    return result;
}

QString columnSql(const FieldDef& field)
{
    const QString name = SqlConnection::quote(field.name);
    switch (field.type) {
    case FieldType::Alpha:
        return QStringLiteral("%1 VARCHAR(%2) NOT NULL DEFAULT '' CHECK(length(%1) <= %2)")
            .arg(name, QString::number(field.size));
    case FieldType::Short:
        return QStringLiteral(
            "%1 SMALLINT CHECK(%1 IS NULL OR (typeof(%1) = 'integer' AND %1 BETWEEN -32768 AND 32767))")
            .arg(name);
    case FieldType::Memo:
        return QStringLiteral("%1 TEXT NOT NULL DEFAULT ''").arg(name);
    }
    return {};
}

// The schema names the file on the connection; SQLite keeps the statement without it, so the file's own schema text
// reads the same however the index was made.
QString indexSql(
    const QString& schema, const QString& name, const QStringList& fields, bool unique, bool caseInsensitive)
{
    QStringList columns;
    for (const QString& field : fields)
        columns << SqlConnection::quote(field) + (caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString());
    return QStringLiteral("CREATE %1INDEX %2.%3 ON records(%4)")
        .arg(unique ? QStringLiteral("UNIQUE ") : QString(), schema, SqlConnection::quote(name), columns.join(u", "));
}

void execBound(const SqlConnection& connection, const QString& sql, const QVariantList& values)
{
    SqlStatement statement(connection, sql);
    statement.bindAll(values);
    statement.step();
}

// The structure written into the file that `schema` names on the connection ("main" for its own).
void writeStructure(
    const SqlConnection& connection, const TableDef& definition, const QString& password, const QString& schema)
{
    QStringList columns;
    for (const FieldDef& field : definition.fields)
        columns << columnSql(field);
    connection.exec(QStringLiteral("CREATE TABLE %1.records(%2)").arg(schema, columns.join(u", ")));
    connection.exec(
        QStringLiteral("CREATE TABLE %1.dbengine_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)").arg(schema));
    connection.exec(QStringLiteral("CREATE TABLE %1.dbengine_fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                                   "type TEXT NOT NULL, size INTEGER NOT NULL)")
                        .arg(schema));
    connection.exec(QStringLiteral("CREATE TABLE %1.dbengine_indexes(position INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                                   "fields TEXT NOT NULL, is_primary INTEGER NOT NULL, is_unique INTEGER NOT NULL, "
                                   "case_insensitive INTEGER NOT NULL)")
                        .arg(schema));

    const QString meta = QStringLiteral("INSERT INTO %1.dbengine_meta(key, value) VALUES (?, ?)").arg(schema);
    execBound(connection, meta, { QStringLiteral("format"), FormatMarker });
    if (!password.isEmpty()) {
        QByteArray salt(16, Qt::Uninitialized);
        QRandomGenerator::system()->generate(salt.begin(), salt.end());
        salt = salt.toHex();
        execBound(connection, meta, { QStringLiteral("password_salt"), QString::fromLatin1(salt) });
        execBound(
            connection, meta, { QStringLiteral("password_hash"), QString::fromLatin1(passwordHash(salt, password)) });
    }
    for (int i = 0; i < definition.fields.size(); ++i) {
        const FieldDef& field = definition.fields.at(i);
        execBound(connection,
            QStringLiteral("INSERT INTO %1.dbengine_fields(position, name, type, size) VALUES (?, ?, ?, ?)")
                .arg(schema),
            { i + 1, field.name, fieldTypeName(field.type), field.size });
    }
    const QString indexRow = QStringLiteral("INSERT INTO %1.dbengine_indexes(position, name, fields, is_primary, "
                                            "is_unique, case_insensitive) VALUES (?, ?, ?, ?, ?, ?)")
                                 .arg(schema);
    int position = 0;
    if (!definition.primaryKey.isEmpty()) {
        connection.exec(indexSql(schema, QStringLiteral("PRIMARY"), definition.primaryKey, true, false));
        execBound(
            connection, indexRow, { ++position, QStringLiteral("PRIMARY"), definition.primaryKey.join(u';'), 1, 1, 0 });
    }
    for (const IndexDef& index : definition.indexes) {
        connection.exec(indexSql(schema, index.name, index.fields, index.unique, index.caseInsensitive));
        execBound(connection, indexRow,
            { ++position, index.name, index.fields.join(u';'), 0, index.unique ? 1 : 0,
                index.caseInsensitive ? 1 : 0 });
    }
}

} // namespace

void TableFile::create(const QString& path, const TableDef& definition, const QString& password)
{
    const TableDef table = validated(path, definition);
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        refuse(path, QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(info.absolutePath())));
    }
    // Built beside the destination and renamed over it, so a crash leaves the old file or the new one.
    FileReplacement replacement(path);
    {
        SqlConnection connection(
            replacement.buildingPath(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, displayName(path));
        SqlTransaction transaction(connection);
        writeStructure(connection, table, password, QStringLiteral("main"));
        transaction.commit();
    }
    if (!replacement.replaceTarget())
        refuse(path, QStringLiteral("the file %1 cannot be replaced").arg(QDir::toNativeSeparators(path)));
}

void TableFile::rewriteAttached(const SqlConnection& connection, const QString& schema, const QString& path,
    const TableDef& definition, const QString& password)
{
    const QString quoted = SqlConnection::quote(schema);
    const TableDef table = validated(path, definition);
    QStringList tables;
    {
        SqlStatement list(connection,
            QStringLiteral("SELECT name FROM %1.sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite!_%' "
                           "ESCAPE '!'")
                .arg(quoted));
        while (list.step())
            tables << list.column(0).toString();
    }
    for (const QString& name : tables)
        connection.exec(QStringLiteral("DROP TABLE %1.%2").arg(quoted, SqlConnection::quote(name)));
    writeStructure(connection, table, password, quoted);
}

QString TableFile::insertSql(const QString& schema, const QList<FieldDef>& fields)
{
    QStringList columns;
    QStringList places;
    for (const FieldDef& field : fields) {
        columns << SqlConnection::quote(field.name);
        places << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1.records(%2) VALUES (%3)")
        .arg(schema, columns.join(u", "), places.join(u", "));
}

TableFile::TableFile(const QString& path, const Session& session)
    : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        throw EngineError(
            QStringLiteral("Table %1 not found: the file %2 does not exist").arg(name(), shownPath(path)), 0, name());
    }
    if (!info.isFile())
        throw EngineError(SqlConnection::damagedTableMessage(name(), shownPath(path)), 0, name());
    m_connection = std::make_unique<SqlConnection>(path, SQLITE_OPEN_READWRITE, name());
    readStructure(session);
}

TableFile::~TableFile() = default;

QString TableFile::name() const
{
    return displayName(m_path);
}

void TableFile::readStructure(const Session& session)
{
    const auto notOurs
        = [this]() { return EngineError(SqlConnection::damagedTableMessage(name(), shownPath(m_path)), 0, name()); };
    try {
        // One read transaction, so the structure is read from one state of the file.
        SqlTransaction reading(*m_connection, SqlTransaction::Mode::Deferred);
        QString format;
        {
            SqlStatement meta(*m_connection, QStringLiteral("SELECT key, value FROM dbengine_meta"));
            while (meta.step()) {
                const QString key = meta.column(0).toString();
                const QString value = meta.column(1).toString();
                if (key == u"format")
                    format = value;
                else if (key == u"password_salt")
                    m_salt = value.toLatin1();
                else if (key == u"password_hash")
                    m_passwordHash = value.toLatin1();
            }
        }
        if (format != FormatMarker)
            throw notOurs();
        SqlStatement fields(
            *m_connection, QStringLiteral("SELECT name, type, size FROM dbengine_fields ORDER BY position"));
        while (fields.step()) {
            m_definition.fields.append(FieldDef { fields.column(0).toString(),
                fieldTypeFromName(fields.column(1).toString()), static_cast<int>(fields.columnInt(2)) });
        }
        SqlStatement indexes(*m_connection,
            QStringLiteral("SELECT name, fields, is_primary, is_unique, case_insensitive FROM dbengine_indexes "
                           "ORDER BY position"));
        while (indexes.step()) {
            const QStringList fieldNames = indexes.column(1).toString().split(u';');
            if (indexes.columnInt(2) != 0) {
                m_definition.primaryKey = fieldNames;
                continue;
            }
            m_definition.indexes.append(IndexDef {
                indexes.column(0).toString(), fieldNames, indexes.columnInt(3) != 0, indexes.columnInt(4) != 0 });
        }
        reading.commit();
    } catch (const EngineError& error) {
        if (error.isBusy())
            throw;
        throw notOurs();
    }
    if (m_definition.fields.isEmpty())
        throw notOurs();

    m_protected = !m_passwordHash.isEmpty();
    if (m_protected) {
        const QStringList& passwords = session.passwords();
        if (std::none_of(passwords.cbegin(), passwords.cend(),
                [this](const QString& password) { return acceptsPassword(password); })) {
            throw EngineError(
                QStringLiteral("Table %1 is protected: the session has no valid password").arg(name()), 0, name());
        }
    }
}

bool TableFile::acceptsPassword(const QString& password) const
{
    return m_protected && passwordHash(m_salt, password) == m_passwordHash;
}

// Named in the table's own schema: another table file attached to the connection may have an index of that name.
void TableFile::dropIndex(const IndexDef& index) const
{
    m_connection->exec(QStringLiteral("DROP INDEX main.%1").arg(SqlConnection::quote(index.name)));
}

void TableFile::buildIndex(const IndexDef& index) const
{
    m_connection->exec(indexSql(QStringLiteral("main"), index.name, index.fields, index.unique, index.caseInsensitive));
}

qint64 TableFile::rowCount() const
{
    SqlStatement count(*m_connection, QStringLiteral("SELECT count(*) FROM records"));
    count.step();
    return count.columnInt(0);
}

} // namespace db
