#include "common/DirectoryDatabase.h"

namespace DirectoryDatabase {
namespace {

db::FieldDef alpha(const char* name, int size)
{
    return { QLatin1StringView(name), db::FieldType::Alpha, size };
}

} // namespace

db::TableDef employeeDefinition()
{
    db::TableDef def;
    def.fields = { alpha("Department", 35), alpha("Name", 35), alpha("Extension", 35), alpha("Cellular", 25),
        alpha("Pager", 25), alpha("HomePhone", 35), alpha("EMail", 35), alpha("Title", 35) };
    def.primaryKey = { QStringLiteral("Department"), QStringLiteral("Name") };
    def.indexes = {
        { ByNameIndex, { QStringLiteral("Name") }, false, true },
        { ByNameExactIndex, { QStringLiteral("Name") }, false, false },
        { ByNameExtensionIndex, { QStringLiteral("Name"), QStringLiteral("Extension") }, false, false },
    };
    return def;
}

db::TableDef departmentDefinition()
{
    db::TableDef def;
    def.fields = { alpha("Department", 35), alpha("MainExtension", 35), alpha("FaxNumber", 35), alpha("Address1", 35),
        alpha("Address2", 35) };
    def.primaryKey = { QStringLiteral("Department") };
    return def;
}

db::TableDef auxiliarDefinition()
{
    db::TableDef def;
    def.fields = { alpha("PasswordValue", 15) };
    return def;
}

db::TableDef specialDefinition()
{
    db::TableDef def;
    def.fields = { alpha("Number", 15), alpha("Description", 25) };
    return def;
}

db::TableDef reportDefinition()
{
    db::TableDef def;
    def.fields = { alpha("Name", 35), { QStringLiteral("ReportNumber"), db::FieldType::Short, 0 }, alpha("Area", 20),
        { QStringLiteral("Description"), db::FieldType::Memo, 0 } };
    return def;
}

} // namespace DirectoryDatabase
