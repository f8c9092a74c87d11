#pragma once

#include <QtGlobal>

namespace os {

// A top-level window published in the window directory: the process that owns it and the window's number
// within that process. A handle may outlive its window; operations on it then fail quietly.
struct WindowHandle
{
    qint64 process = 0;
    quint64 window = 0;

    friend bool operator==(const WindowHandle&, const WindowHandle&) = default;
};

} // namespace os
