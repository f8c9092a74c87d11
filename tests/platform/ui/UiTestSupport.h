#pragma once

#include "TemporaryAlias.h"

#include "platform/db/Session.h"
#include "platform/db/Table.h"
#include "platform/db/TableDef.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace uitest {

inline const QString alias = QStringLiteral("UiTest");

// Processes events until the condition holds or five seconds pass; returns whether it held.
inline bool waitFor(const std::function<bool()>& condition, int milliseconds = 5000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Shows a window and waits until it is active, so that focus changes happen as for a user.
inline bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return waitFor([&] { return window.isActiveWindow(); });
}

// A structure of the given fields, keyed on the first.
inline db::TableDef keyedOnFirst(const QList<db::FieldDef>& fields)
{
    db::TableDef definition;
    definition.fields = fields;
    definition.primaryKey = { fields.front().name };
    return definition;
}

// Opens the table `name` of the test alias, in the order of `index` (the primary key's when empty).
inline void openTable(db::Table& table, const QString& name, const QString& index = {})
{
    table.setDatabaseName(alias);
    table.setTableName(name);
    if (!index.isEmpty()) {
        table.setIndexName(index);
    }
    table.Open();
}

// A temporary alias folder named by a temporary alias configuration, thrown away with the test.
class AliasFolder
{
public:
    QString path(const QString& file) const { return m_alias.path(file); }

    // Creates NAME.DB with the structure and the rows, in one transaction.
    void createTable(const QString& name, const db::TableDef& definition, const QList<QVariantList>& rows) const
    {
        createTable(name, definition, static_cast<int>(rows.size()), [&](int index) { return rows.at(index); });
    }

    // Creates NAME.DB with `count` rows from the generator, in one transaction.
    void createTable(const QString& name, const db::TableDef& definition, int count,
        const std::function<QVariantList(int)>& row) const
    {
        const QString file = path(name + QStringLiteral(".DB"));
        db::TableFile::create(file, definition);
        db::TableFile table(file, db::Session::defaultSession());
        db::TableLoad load(table);
        for (int index = 0; index < count; ++index) {
            load.insert(row(index));
        }
        load.commit();
    }

private:
    TemporaryAlias m_alias { alias };
};

} // namespace uitest
