#pragma once

class QKeyEvent;

namespace ui {

// Whether a key pressed in a text control would change its text (typing, deleting, pasting, undoing), so that
// a data-aware control must first be allowed to edit its record. Enter changes only a multi-line text.
bool changesText(const QKeyEvent& event, bool multiLine);

} // namespace ui
