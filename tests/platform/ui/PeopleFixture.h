#pragma once

#include "platform/db/DataSource.h"
#include "platform/db/Table.h"

#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace uitest {

// A small table of people, in name order, and a data source over it.
class PeopleFixture : public ::testing::Test
{
protected:
    static db::TableDef peopleDefinition()
    {
        return keyedOnFirst({ { "Name", db::FieldType::Alpha, 10 }, { "Phone", db::FieldType::Alpha, 12 },
            { "Dept", db::FieldType::Alpha, 15 }, { "Age", db::FieldType::Short, 0 },
            { "Notes", db::FieldType::Memo, 0 } });
    }

    static QStringList names() { return { "ADAMS", "BAKER", "CLARK", "DAVIS", "EVANS", "FOSTER", "GREEN" }; }

    void SetUp() override
    {
        QList<QVariantList> rows;
        int index = 0;
        for (const QString& name : names()) {
            rows.append({ name, QStringLiteral("555-01%1").arg(index), index % 2 ? "Sales" : "Accounting", 20 + index,
                QStringLiteral("Notes on %1\nsecond line").arg(name) });
            ++index;
        }
        folder.createTable("people", peopleDefinition(), rows);
        openTable(people, "people");
        source.setDataSet(&people);
    }

    // What is stored, read through a table of its own.
    QString storedValue(const QString& name, const QString& field) const
    {
        db::Table reader;
        openTable(reader, "people");
        if (!reader.Locate("Name", name)) {
            return QStringLiteral("<missing>");
        }
        return reader.FieldByName(field).AsString();
    }

    QString currentName() const { return people.FieldByName("Name").AsString(); }

    AliasFolder folder;
    db::Table people;
    db::DataSource source;
};

} // namespace uitest
