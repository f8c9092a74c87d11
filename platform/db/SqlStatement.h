#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace db {

class SqlConnection;

// A prepared statement of a connection. Errors go through the connection, so they name its table, or the tables
// the statement is labelled with.
class SqlStatement
{
public:
    SqlStatement(const SqlConnection& connection, const QString& sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    const QString& sql() const { return m_sql; }
    sqlite3_stmt* handle() const { return m_stmt.get(); }
    const SqlConnection& connection() const { return *m_connection; }
    // The tables a failed step names instead of the connection's: those the statement works on, where the
    // connection reaches several.
    void setLabel(const QString& label) { m_label = label; }

    // Positions count from 1. QString binds as text (a null QString as ''), integers as integers, an invalid or
    // null QVariant as NULL.
    void bind(int position, const QVariant& value);
    void bindAll(const QVariantList& values);
    int parameterCount() const;

    // Binds UTF-8 text without a copy: the bytes must stay as they are until the position is bound again or the
    // statement goes.
    void bindUtf8(int position, const QByteArray& text);
    bool readOnly() const; // the statement changes no file

    bool step(); // true when a row is ready; false when done; throws on error (and resets the statement)
    void reset(); // ends the run, releasing the locks it held; bindings stay

    int columnCount() const;
    QString columnName(int column) const;
    QString columnDeclType(int column) const;
    QVariant column(int column) const; // integer -> qint64, real -> double, text -> QString, null -> QVariant()
    qint64 columnInt(int column) const;
    // A text column's UTF-8 bytes as SQLite holds them, valid until the next step or reset.
    QByteArrayView columnUtf8(int column) const;

private:
    struct Finalizer
    {
        void operator()(sqlite3_stmt* statement) const;
    };

    const SqlConnection* m_connection;
    QString m_sql;
    QString m_label;
    // The text bound at each position as UTF-8, held while SQLite may read it: text is bound without a copy.
    std::vector<QByteArray> m_texts;
    std::unique_ptr<sqlite3_stmt, Finalizer> m_stmt; // finalized before the texts go
};

} // namespace db
