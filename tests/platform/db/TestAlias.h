#pragma once

#include "TemporaryAlias.h"
#include "TestPrinters.h"

#include "platform/db/Session.h"
#include "platform/db/TableDef.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>

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

    // The employee and department tables as the directory keeps them.
    static db::TableDef employeeDefinition();
    static db::TableDef departmentDefinition();
    // Creates the table file (protected by Password) and fills it.
    void createTable(const QString& fileName, const db::TableDef& definition, const std::vector<QVariantList>& rows,
        bool protect = true);
    void createEmployees(const std::vector<QVariantList>& rows); // employee.DB; rows of Department, Name, Extension
    void createDepartments(const QStringList& names); // department.DB
    void writeFile(const QString& fileName, const QByteArray& bytes) const;
    QByteArray readFile(const QString& fileName) const;

private:
    TemporaryAlias m_alias { QString::fromLatin1(Name) };
    db::Session m_session;
};
