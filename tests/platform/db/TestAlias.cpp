#include "TestAlias.h"

#include "TestFiles.h"

#include "common/DirectoryDatabase.h"

#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

#include <QDir>

#include <gtest/gtest.h>

TestAlias::TestAlias()
{
    m_session.AddPassword(QString::fromLatin1(Password));
}

void TestAlias::createTable(
    const QString& fileName, const db::TableDef& definition, const std::vector<QVariantList>& rows, bool protect)
{
    const QString file = path(fileName);
    db::TableFile::create(file, definition, protect ? QString::fromLatin1(Password) : QString());
    db::TableFile table(file, m_session);
    db::TableLoad load(table);
    for (const QVariantList& row : rows)
        load.insert(row);
    load.commit();
}

void TestAlias::createEmployees(const std::vector<QVariantList>& rows)
{
    createTable(DirectoryDatabase::EmployeeTable, DirectoryDatabase::employeeDefinition(), rows);
}

void TestAlias::createDepartments(const QStringList& names)
{
    std::vector<QVariantList> rows;
    for (const QString& name : names)
        rows.push_back({ name, QStringLiteral("100"), QString(), QString(), QString() });
    createTable(DirectoryDatabase::DepartmentTable, DirectoryDatabase::departmentDefinition(), rows);
}

void TestAlias::writeFile(const QString& fileName, const QByteArray& bytes) const
{
    ASSERT_TRUE(::writeFile(path(fileName), bytes));
}

QByteArray TestAlias::readFile(const QString& fileName) const
{
    return ::readFile(path(fileName));
}

std::unique_ptr<db::Table> TestAlias::table(db::Session& session, const QString& name, const QString& indexName)
{
    auto table = std::make_unique<db::Table>();
    table->setSession(session);
    table->setDatabaseName(QString::fromLatin1(Name));
    table->setTableName(name);
    if (!indexName.isEmpty())
        table->setIndexName(indexName);
    return table;
}

std::unique_ptr<db::Table> TestAlias::open(const QString& name, const QString& indexName)
{
    auto opened = table(name, indexName);
    opened->Open();
    return opened;
}

std::unique_ptr<db::Query> TestAlias::query(const QStringList& sql)
{
    auto query = std::make_unique<db::Query>();
    query->setSession(m_session);
    query->setDatabaseName(QString::fromLatin1(Name));
    query->setSQL(sql);
    return query;
}

QStringList values(db::DataSet& dataSet, const QString& field)
{
    QStringList values;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        values << dataSet.FieldByName(field).AsString();
    return values;
}
