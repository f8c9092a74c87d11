#pragma once

#include <QLatin1StringView>

#include <utility>

namespace ui {

// Creates a component of a form or data module under the name by which code and tests find it. The arguments
// are the constructor's; the Qt parent among them owns the component.
template <typename T, typename... Args> T* component(const char* name, Args&&... args)
{
    auto* const object = new T(std::forward<Args>(args)...);
    object->setObjectName(QLatin1StringView(name));
    return object;
}

} // namespace ui
