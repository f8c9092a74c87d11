#pragma once

#include "common/DirectoryDatabase.h"
#include "platform/ui/Component.h"

// The tables and queries of the two programs' data modules: owned by the module, found by their names, naming
// the directory database by its alias.
namespace DataModuleComponents {

template <typename T> T* databaseComponent(const char* name, QObject* owner)
{
    auto* object = ui::component<T>(name, owner);
    object->setDatabaseName(DirectoryDatabase::Alias);
    return object;
}

} // namespace DataModuleComponents
