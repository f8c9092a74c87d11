#pragma once

#include <functional>

// A file system for SQLite that hands every call on to the default one, and shows a test each change to a file
// (write, truncate, sync, delete) before it happens, which the test may fail. It is SQLite's default while it lives,
// so connections opened after it go through it; one lives at a time.
class WatchedFileSystem
{
public:
    enum class Change
    {
        Write,
        Truncate,
        Sync,
        Delete,
    };
    // Sees a change to the file at `path` (SQLite's full path; null for a temporary file) and returns SQLITE_OK to
    // let it happen, or the error code to fail it with.
    using Watcher = std::function<int(Change change, const char* path)>;

    explicit WatchedFileSystem(Watcher watcher);
    ~WatchedFileSystem();
    WatchedFileSystem(const WatchedFileSystem&) = delete;
    WatchedFileSystem& operator=(const WatchedFileSystem&) = delete;
};
