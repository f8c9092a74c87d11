#include "platform/db/SqlStatement.h"

#include "platform/db/SqlConnection.h"

#include <sqlite3.h>

#include <algorithm>

namespace db {
namespace {

// UTF-8 of the text into a buffer that keeps its memory from value to value; ASCII, by far the most common, is
// copied as it is.
void toUtf8Into(const QString& text, QByteArray& buffer)
{
    const qsizetype size = text.size();
    const QChar* const from = text.constData();
    if (std::all_of(from, from + size, [](QChar c) { return c.unicode() < 0x80; })) {
        buffer.resize(size);
        char* const to = buffer.data();
        for (qsizetype i = 0; i < size; ++i)
            to[i] = static_cast<char>(from[i].unicode());
        return;
    }
    buffer = text.toUtf8();
}

} // namespace

void SqlStatement::Finalizer::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

SqlStatement::SqlStatement(const SqlConnection& connection, const QString& sql)
    : m_connection(&connection)
    , m_sql(sql)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int rc
        = sqlite3_prepare_v2(connection.handle(), text.constData(), static_cast<int>(text.size()), &raw, nullptr);
    m_stmt.reset(raw);
    connection.check(rc, sql);
}

SqlStatement::~SqlStatement() = default;

void SqlStatement::bind(int position, const QVariant& value)
{
    sqlite3_stmt* statement = m_stmt.get();
    int rc = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(statement, position);
        break;
    case QMetaType::QString: {
        if (position < 1)
            return m_connection->check(sqlite3_bind_null(statement, position), m_sql);
        if (m_texts.size() < static_cast<size_t>(position))
            m_texts.resize(static_cast<size_t>(position));
        // The position's own buffer, rewritten in place (the binding that read it before is replaced below, before
        // SQLite reads again).
        QByteArray& text = m_texts[static_cast<size_t>(position) - 1];
        toUtf8Into(*static_cast<const QString*>(value.constData()), text);
        rc = sqlite3_bind_text(statement, position, text.constData(), static_cast<int>(text.size()), SQLITE_STATIC);
        break;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
    case QMetaType::Long:
        rc = sqlite3_bind_int64(statement, position, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        rc = sqlite3_bind_double(statement, position, value.toDouble());
        break;
    default:
        if (value.isNull()) {
            rc = sqlite3_bind_null(statement, position);
        } else {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(
                statement, position, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
        break;
    }
    m_connection->check(rc, m_sql);
}

void SqlStatement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
}

void SqlStatement::bindUtf8(int position, const QByteArray& text)
{
    m_connection->check(
        sqlite3_bind_text(m_stmt.get(), position, text.constData(), static_cast<int>(text.size()), SQLITE_STATIC),
        m_sql);
}

bool SqlStatement::readOnly() const
{
    return sqlite3_stmt_readonly(m_stmt.get()) != 0;
}

int SqlStatement::parameterCount() const
{
    return sqlite3_bind_parameter_count(m_stmt.get());
}

bool SqlStatement::step()
{
    const int rc = sqlite3_step(m_stmt.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString why = m_connection->lastMessage();
    sqlite3_reset(m_stmt.get());
    m_connection->fail(rc, m_sql, why, m_label);
}

void SqlStatement::reset()
{
    // The result code repeats the last step's error, which step() has already reported.
    sqlite3_reset(m_stmt.get());
}

int SqlStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt.get());
}

QString SqlStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt.get(), column));
}

QString SqlStatement::columnDeclType(int column) const
{
    return QString::fromUtf8(sqlite3_column_decltype(m_stmt.get(), column));
}

QVariant SqlStatement::column(int column) const
{
    sqlite3_stmt* statement = m_stmt.get();
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return {};
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
    }
    }
}

qint64 SqlStatement::columnInt(int column) const
{
    return sqlite3_column_int64(m_stmt.get(), column);
}

QByteArrayView SqlStatement::columnUtf8(int column) const
{
    // The text first, then its length: asking for the text may convert the value, which changes the length.
    const auto* const text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt.get(), column));
    return QByteArrayView(text, sqlite3_column_bytes(m_stmt.get(), column));
}

} // namespace db
