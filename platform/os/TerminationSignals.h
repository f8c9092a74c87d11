#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace os {

// Turns SIGTERM and SIGINT (a desktop logging out, `kill`, Ctrl+C in a terminal) into a Qt signal on the GUI
// thread, so that a program can end the way the user's close would: a signal's own default ends the process at
// once, without any of its close steps. While an object lives it owns the two signals' handling; the handlers in
// force before it are put back when it goes. One object per process.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the handlers could not be installed: the signals then keep their default.
    bool isWatching() const { return m_watching; }

signals:
    // A termination signal arrived; signals that arrive before the event loop handles this one are folded into it.
    void received(int signalNumber);

private:
    void readSignal();

    int m_handlerEnd = -1; // the signal handler writes a byte here...
    int m_loopEnd = -1; // ...and the event loop reads it here
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_watching = false;
};

} // namespace os
