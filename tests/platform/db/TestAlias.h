#pragma once

#include "platform/db/Session.h"
#include "platform/db/TableDef.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

#include <ostream>
#include <vector>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A throw-away alias for one test: a temporary folder named by a configuration file of its own (DBENGINE_CONFIG
// points at it while the object lives), and a session holding the tables' password.
class TestAlias
{
public:
    static constexpr const char* Name = "Test Alias";
    static constexpr const char* Password = "Secret7";

    TestAlias();
    ~TestAlias();
    TestAlias(const TestAlias&) = delete;
    TestAlias& operator=(const TestAlias&) = delete;

    QString folder() const { return m_dir.path(); }
    QString path(const QString& fileName) const { return m_dir.filePath(fileName); }
    QString configPath() const { return m_dir.filePath(QStringLiteral("config/aliases.ini")); }
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
    QTemporaryDir m_dir;
    QByteArray m_previousConfig;
    bool m_hadConfig = false;
    db::Session m_session;
};
