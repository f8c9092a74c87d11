#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs `act` on the modal window of type T once it shows (a dialog's exec() or a message box), from the event loop
// that window runs; a test failure when none shows within the deadline.
template <typename T> void whenModalShows(const std::function<void(T&)>& act, int deadlineMs = 10000)
{
    auto* const timer = new QTimer(qApp);
    const QDeadlineTimer deadline(deadlineMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, act] {
        if (auto* const modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*modal);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " showed";
        }
    });
    timer->start(10);
}
