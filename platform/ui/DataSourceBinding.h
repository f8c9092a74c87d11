#pragma once

#include "platform/db/DataSource.h"

#include <QPointer>

namespace ui {

// Whether a control follows the current record of its source, or only the data set, its state and its data.
enum class FollowScrolling
{
    No,
    Yes,
};

// Binds the receiver to `source` in place of the source held in `bound`: every connection from the old source to
// the receiver is dropped, and `changed` runs when the new source's data set, state or data change, when it
// moves to another record (if the receiver follows scrolling), and when the source is destroyed. Returns false,
// changing nothing, when `source` is bound already.
template <typename Receiver>
bool bindDataSource(QPointer<db::DataSource>& bound, db::DataSource* source, Receiver* receiver,
    void (Receiver::*changed)(), FollowScrolling scrolling)
{
    if (bound == source)
        return false;
    if (bound)
        QObject::disconnect(bound, nullptr, receiver, nullptr);
    bound = source;
    if (source) {
        QObject::connect(source, &db::DataSource::dataSetChanged, receiver, changed);
        QObject::connect(source, &db::DataSource::stateChanged, receiver, changed);
        if (scrolling == FollowScrolling::Yes)
            QObject::connect(source, &db::DataSource::scrolled, receiver, changed);
        QObject::connect(source, &db::DataSource::dataChanged, receiver, changed);
        QObject::connect(source, &QObject::destroyed, receiver, changed);
    }
    return true;
}

} // namespace ui
