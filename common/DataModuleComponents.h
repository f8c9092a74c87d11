#pragma once

#include "common/DirectoryDatabase.h"

#include <QObject>
#include <QString>

// The components of the two programs' data modules: owned by the module and found by their names; tables and
// queries name the directory database by its alias.
namespace DataModuleComponents {

template <typename T> T* component(QObject* owner, const char* name)
{
    auto* object = new T(owner); // owned by the data module
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

template <typename T> T* databaseComponent(QObject* owner, const char* name)
{
    auto* object = component<T>(owner, name);
    object->setDatabaseName(DirectoryDatabase::Alias);
    return object;
}

} // namespace DataModuleComponents
