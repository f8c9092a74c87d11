#pragma once

#include "platform/ui/RowPlaces.h"

#include <QPointer>
#include <QTimer>

#include <optional>

class QScrollBar;

namespace db {
class DataSet;
} // namespace db

namespace ui {

class RowWindow;

// A grid's vertical scroll bar as a thumb over the whole of its data set's order: the range counts the rows, and
// the thumb stands at the current row's place among them (RowPlaces); a row being inserted stands where the row it
// was begun on stands. The first and last rows need no counting; any other place is counted in the next idle
// moment, so that the rows a key or a search reached show at once and the thumb follows. The places' sample is
// taken in idle moments too, a little at a time. Dragged, the thumb takes the data set to the row at its place.
class GridScrollThumb
{
public:
    explicit GridScrollThumb(QScrollBar& bar);

    void forget() { m_places.forget(); } // the rows changed: their places are counted anew

    // Sets the range and the thumb for the current row of `window`, which shows `visible` rows of `dataSet` (null
    // when there is none to show). Without rows beyond the window there is nothing to scroll.
    void follow(const db::DataSet* dataSet, const RowWindow& window, int visible);

    // Moves the data set to the row at `place` of the thumb (the first and last rows at the ends of its groove).
    void moveTo(db::DataSet& dataSet, int place, int visible);
    // Where the row a drag reached stands in a window of rows, as the thumb stands in its groove: near the top at
    // the top, near the bottom at the bottom. Given once.
    std::optional<int> takePlaceAfterJump();
    // Ends a drag's step: the thumb stays where it was dragged to.
    void holdAt(int place);

private:
    void sampleSome();

    QScrollBar& m_bar;
    RowPlaces m_places;
    QTimer m_sampler; // takes the places' sample in idle moments, a little at a time
    QPointer<const db::DataSet> m_dataSet; // the data set followed last
    bool m_pending = false; // the thumb's place is counted in the next idle moment
    std::optional<int> m_placeAfterJump;
};

} // namespace ui
