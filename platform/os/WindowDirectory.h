#pragma once

#include "platform/os/RuntimeFolder.h"
#include "platform/os/WindowHandle.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QJsonObject;
class QLocalServer;
class QLocalSocket;
class QWidget;

namespace os {

// The per-user window directory through which programs find, raise, retitle and quit each other by window
// title, as desktop programs do with top-level window functions. Each process keeps one directory: it
// publishes the process's titled top-level windows and answers requests about them on a local socket
// <folder>/windows-<pid>.sock. The functions named after the old window calls work on any published window,
// this process's own included (those are handled directly, without the socket).
//
// Every request to another process is synchronous and waits a few hundred milliseconds at most; a program
// that does not answer in time counts as having no such window. The socket of a program that ended without
// closing its directory (a crash, a kill) refuses connections and is removed when found.
//
// In a folder that ensureRuntimeFolder refuses (another user's, a link, open to others), the directory neither
// listens nor asks: this process's own windows are all it finds.
//
// One directory per process and folder (a second one would take over the first one's socket), created after the
// application object, whose event loop answers the requests.
class WindowDirectory
{
public:
    explicit WindowDirectory(const QString& folder = runtimeFolder());
    ~WindowDirectory();
    WindowDirectory(const WindowDirectory&) = delete;
    WindowDirectory& operator=(const WindowDirectory&) = delete;

    // False when the socket could not be created or the folder was refused: this process's windows are then
    // visible only to itself.
    bool isListening() const;

    // Publishes a top-level window under its own window title, whatever that title is at the time of a look-up.
    // The window leaves the directory when it is destroyed.
    WindowHandle publish(QWidget* window);
    // Publishes a title of its own, such as the application title that a program's hidden application window
    // bore. Raising, restoring or asking about it acts on the window that target returns at that time (it may
    // return nullptr: the title is still found, and the operations do nothing).
    WindowHandle publishTitle(const QString& title, std::function<QWidget*()> target);
    void unpublish(WindowHandle handle);

    // The first published window whose whole title equals title. Letter case is ignored by default, as the
    // desktop's own look-up did. This process's windows come first, then the other programs', newest first.
    std::optional<WindowHandle> findWindow(const QString& title, Qt::CaseSensitivity cs = Qt::CaseInsensitive) const;

    // Raises and activates the window. A minimised window stays minimised.
    bool bringWindowToTop(WindowHandle handle);
    // Ends the owning program's event loop, as a quit message did: the program leaves its loop with exit code 0
    // and no window's close handler runs. Nothing waits for the program to end.
    bool postQuit(WindowHandle handle);
    bool setWindowText(WindowHandle handle, const QString& text);
    bool isIconic(WindowHandle handle) const;
    // Restores a minimised window to its former state, or a maximised one to normal, then shows and activates it.
    bool showWindowRestore(WindowHandle handle);

private:
    struct Entry;

    Entry* entry(quint64 window);
    std::optional<QJsonObject> askProgram(qint64 process, const QJsonObject& request) const;
    void serve(QLocalSocket* socket);
    QByteArray answer(const QByteArray& request);
    bool applyLocally(const QString& operation, quint64 window, const QString& text);

    QString m_folder;
    std::unique_ptr<QLocalServer> m_server;
    bool m_folderUsable;
    std::vector<Entry> m_entries;
    quint64 m_nextId = 1;
};

} // namespace os
