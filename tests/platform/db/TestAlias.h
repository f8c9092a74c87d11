#pragma once

#include "TemporaryAlias.h"
#include "TestPrinters.h"

#include "platform/db/Query.h"
#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/db/TableDef.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

// A throw-away alias for one test: a temporary folder named by a configuration file of its own (DBENGINE_CONFIG
// points at it while the object lives), and a session holding the tables' password.
class TestAlias
{
public:
    static constexpr const char* Name = "Test Alias";
    static constexpr const char* Password = "Secret7";

    TestAlias();
    TestAlias(const TestAlias&) = delete;
    TestAlias& operator=(const TestAlias&) = delete;

    QString folder() const { return m_alias.folder(); }
    QString path(const QString& fileName) const { return m_alias.path(fileName); }
    QString configPath() const { return m_alias.configPath(); }
    db::Session& session() { return m_session; }

    // Creates the table file (protected by Password) and fills it.
    void createTable(const QString& fileName, const db::TableDef& definition, const std::vector<QVariantList>& rows,
        bool protect = true);
    // employee.DB and department.DB as the programs define them. Employee rows of Department, Name, Extension...
    void createEmployees(const std::vector<QVariantList>& rows);
    void createDepartments(const QStringList& names);
    void writeFile(const QString& fileName, const QByteArray& bytes) const;
    QByteArray readFile(const QString& fileName) const;

    // A table of the alias, not yet open, in the order of the index named (none: the table's own order); the static
    // one serves a process that has only a session.
    static std::unique_ptr<db::Table> table(db::Session& session, const QString& name, const QString& indexName = {});
    std::unique_ptr<db::Table> table(const QString& name, const QString& indexName = {})
    {
        return table(m_session, name, indexName);
    }
    std::unique_ptr<db::Table> open(const QString& name, const QString& indexName = {});
    std::unique_ptr<db::Query> query(const QStringList& sql);

private:
    TemporaryAlias m_alias { QString::fromLatin1(Name) };
    db::Session m_session;
};

// The field's value in every row of the data set, from its first row on.
QStringList values(db::DataSet& dataSet, const QString& field);
