#include "platform/os/WindowDirectory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cerrno>

#include <signal.h>
#include <sys/types.h>

namespace os {

namespace {

constexpr int connectTimeoutMs = 300;
constexpr int replyTimeoutMs = 500;
// A request is one short line; anything longer is not from a well-behaved peer.
constexpr qint64 maxRequestBytes = 64 * 1024;

constexpr QLatin1String socketPrefix("windows-");
constexpr QLatin1String socketSuffix(".sock");

// Operations as they travel over the socket.
constexpr QLatin1String opList("list");
constexpr QLatin1String opRaise("raise");
constexpr QLatin1String opRestore("restore");
constexpr QLatin1String opIconic("iconic");
constexpr QLatin1String opTitle("title");
constexpr QLatin1String opQuit("quit");

QString socketPath(const QString& folder, qint64 process)
{
    return folder + QLatin1Char('/') + socketPrefix + QString::number(process) + socketSuffix;
}

struct PeerSocket
{
    qint64 process;
    QString path;
};

// The other programs' sockets in the folder, most recently started first.
std::vector<PeerSocket> peerSockets(const QString& folder)
{
    std::vector<PeerSocket> peers;
    const QFileInfoList found = QDir(folder).entryInfoList(
        { socketPrefix + QLatin1Char('*') + socketSuffix }, QDir::System | QDir::NoDotAndDotDot, QDir::Time);
    for (const QFileInfo& info : found) {
        const QString name = info.fileName();
        bool ok = false;
        const qint64 process
            = name.mid(socketPrefix.size(), name.size() - socketPrefix.size() - socketSuffix.size()).toLongLong(&ok);
        if (ok && process != QCoreApplication::applicationPid())
            peers.push_back({ process, info.filePath() });
    }
    return peers;
}

// Removes the sockets of programs that ended without removing them (killed by a signal, crashed): their process
// no longer exists. A socket whose number a new process has taken meanwhile stays until a request finds it dead.
void removeEndedProgramsSockets(const QString& folder)
{
    for (const PeerSocket& peer : peerSockets(folder)) {
        if (::kill(static_cast<pid_t>(peer.process), 0) != 0 && errno == ESRCH)
            QFile::remove(peer.path);
    }
}

// One request and its answer. No answer (refused, timed out, garbled) gives nothing; a socket that refuses
// connections belongs to a program that has ended without removing it, and is removed.
std::optional<QJsonObject> ask(const QString& path, const QJsonObject& request)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(connectTimeoutMs)) {
        if (socket.error() == QLocalSocket::ConnectionRefusedError)
            QFile::remove(path);
        return std::nullopt;
    }
    socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    const QDeadlineTimer deadline(replyTimeoutMs);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
    }
    const QJsonDocument reply = QJsonDocument::fromJson(socket.readLine());
    if (!reply.isObject() || !reply.object().value(QLatin1String("ok")).toBool())
        return std::nullopt;
    return reply.object();
}

QJsonObject windowRequest(const QString& operation, quint64 window)
{
    return { { QLatin1String("op"), operation }, { QLatin1String("window"), double(window) } };
}

} // namespace

struct WindowDirectory::Entry
{
    quint64 id;
    std::optional<QString> ownTitle;
    std::function<QWidget*()> target;

    QWidget* window() const { return target ? target() : nullptr; }
    bool alive() const { return ownTitle || window() != nullptr; }
    QString title() const
    {
        if (ownTitle)
            return *ownTitle;
        const QWidget* w = window();
        return w ? w->windowTitle() : QString();
    }
};

WindowDirectory::WindowDirectory(const QString& folder)
    : m_folder(folder)
    , m_server(std::make_unique<QLocalServer>())
    , m_folderUsable(ensureRuntimeFolder(folder))
{
    if (!m_folderUsable)
        return;
    const QString path = socketPath(m_folder, QCoreApplication::applicationPid());
    // A socket under our own process number is left over from an earlier process that had the same number.
    QLocalServer::removeServer(path);
    removeEndedProgramsSockets(m_folder);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path))
        return;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection())
            serve(socket);
    });
}

WindowDirectory::~WindowDirectory() = default;

bool WindowDirectory::isListening() const
{
    return m_server->isListening();
}

WindowHandle WindowDirectory::publish(QWidget* window)
{
    std::erase_if(m_entries, [](const Entry& e) { return !e.alive(); });
    const quint64 id = m_nextId++;
    m_entries.push_back({ id, std::nullopt, [w = QPointer<QWidget>(window)] { return w.data(); } });
    return { QCoreApplication::applicationPid(), id };
}

WindowHandle WindowDirectory::publishTitle(const QString& title, std::function<QWidget*()> target)
{
    const quint64 id = m_nextId++;
    m_entries.push_back({ id, title, std::move(target) });
    return { QCoreApplication::applicationPid(), id };
}

void WindowDirectory::unpublish(WindowHandle handle)
{
    if (handle.process != QCoreApplication::applicationPid())
        return;
    std::erase_if(m_entries, [&](const Entry& e) { return e.id == handle.window; });
}

std::optional<WindowHandle> WindowDirectory::findWindow(const QString& title, Qt::CaseSensitivity cs) const
{
    for (const Entry& e : m_entries) {
        if (e.alive() && e.title().compare(title, cs) == 0)
            return WindowHandle { QCoreApplication::applicationPid(), e.id };
    }
    if (!m_folderUsable)
        return std::nullopt;
    for (const PeerSocket& peer : peerSockets(m_folder)) {
        const std::optional<QJsonObject> reply = ask(peer.path, { { QLatin1String("op"), opList } });
        if (!reply)
            continue;
        for (const QJsonValue& window : reply->value(QLatin1String("windows")).toArray()) {
            const QJsonObject w = window.toObject();
            if (w.value(QLatin1String("title")).toString().compare(title, cs) == 0)
                return WindowHandle { peer.process, quint64(w.value(QLatin1String("id")).toDouble()) };
        }
    }
    return std::nullopt;
}

bool WindowDirectory::bringWindowToTop(WindowHandle handle)
{
    if (handle.process == QCoreApplication::applicationPid())
        return applyLocally(opRaise, handle.window, {});
    return askProgram(handle.process, windowRequest(opRaise, handle.window)).has_value();
}

bool WindowDirectory::postQuit(WindowHandle handle)
{
    if (handle.process == QCoreApplication::applicationPid())
        return applyLocally(opQuit, handle.window, {});
    return askProgram(handle.process, windowRequest(opQuit, handle.window)).has_value();
}

bool WindowDirectory::setWindowText(WindowHandle handle, const QString& text)
{
    if (handle.process == QCoreApplication::applicationPid())
        return applyLocally(opTitle, handle.window, text);
    QJsonObject request = windowRequest(opTitle, handle.window);
    request.insert(QLatin1String("text"), text);
    return askProgram(handle.process, request).has_value();
}

bool WindowDirectory::isIconic(WindowHandle handle) const
{
    if (handle.process == QCoreApplication::applicationPid()) {
        const auto it
            = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.id == handle.window; });
        const QWidget* w = it != m_entries.end() ? it->window() : nullptr;
        return w && w->isMinimized();
    }
    const std::optional<QJsonObject> reply = askProgram(handle.process, windowRequest(opIconic, handle.window));
    return reply && reply->value(QLatin1String("iconic")).toBool();
}

bool WindowDirectory::showWindowRestore(WindowHandle handle)
{
    if (handle.process == QCoreApplication::applicationPid())
        return applyLocally(opRestore, handle.window, {});
    return askProgram(handle.process, windowRequest(opRestore, handle.window)).has_value();
}

std::optional<QJsonObject> WindowDirectory::askProgram(qint64 process, const QJsonObject& request) const
{
    // Whoever answers in a folder that is not this user's own may be anybody.
    if (!m_folderUsable)
        return std::nullopt;
    return ask(socketPath(m_folder, process), request);
}

WindowDirectory::Entry* WindowDirectory::entry(quint64 window)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.id == window; });
    return it != m_entries.end() && it->alive() ? &*it : nullptr;
}

void WindowDirectory::serve(QLocalSocket* socket)
{
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        while (socket->canReadLine())
            socket->write(answer(socket->readLine()) + '\n');
        socket->flush();
        if (socket->bytesAvailable() > maxRequestBytes)
            socket->abort();
    });
}

QByteArray WindowDirectory::answer(const QByteArray& request)
{
    const QJsonObject r = QJsonDocument::fromJson(request).object();
    const QString operation = r.value(QLatin1String("op")).toString();
    QJsonObject reply;
    if (operation == opList) {
        QJsonArray windows;
        for (const Entry& e : m_entries) {
            if (e.alive())
                windows.append(
                    QJsonObject { { QLatin1String("id"), double(e.id) }, { QLatin1String("title"), e.title() } });
        }
        reply.insert(QLatin1String("ok"), true);
        reply.insert(QLatin1String("windows"), windows);
    } else {
        const quint64 window = quint64(r.value(QLatin1String("window")).toDouble());
        if (operation == opIconic) {
            const Entry* e = entry(window);
            reply.insert(QLatin1String("ok"), e != nullptr);
            reply.insert(QLatin1String("iconic"), isIconic({ QCoreApplication::applicationPid(), window }));
        } else {
            reply.insert(
                QLatin1String("ok"), applyLocally(operation, window, r.value(QLatin1String("text")).toString()));
        }
    }
    return QJsonDocument(reply).toJson(QJsonDocument::Compact);
}

bool WindowDirectory::applyLocally(const QString& operation, quint64 window, const QString& text)
{
    Entry* e = entry(window);
    if (!e)
        return false;
    if (operation == opQuit) {
        // Leaving the loop, rather than quitting the application, keeps the windows' close handlers from running.
        QCoreApplication* app = QCoreApplication::instance();
        return app
            && QMetaObject::invokeMethod(
                app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    if (operation == opTitle) {
        if (e->ownTitle)
            e->ownTitle = text;
        else
            e->window()->setWindowTitle(text);
        return true;
    }
    QWidget* w = e->window();
    if (!w)
        return false;
    if (operation == opRestore) {
        const Qt::WindowStates state = w->windowState();
        if (state & Qt::WindowMinimized)
            w->setWindowState(state & ~Qt::WindowMinimized);
        else
            w->setWindowState(state & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        w->show();
    } else if (operation != opRaise) {
        return false;
    }
    w->raise();
    w->activateWindow();
    return true;
}

} // namespace os
