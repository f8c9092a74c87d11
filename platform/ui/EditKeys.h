#pragma once

class QKeyEvent;

namespace ui {

// Whether a key pressed in a text control would change its text (typing, deleting, pasting, undoing), so that
// a data-aware control must first be allowed to edit its record. Enter changes only a multi-line text.
bool changesText(const QKeyEvent& event, bool multiLine);

// Whether a key types a character: printable text, held with no modifier that makes it a command. Shift, Caps
// Lock and AltGr (which some systems report as Ctrl+Alt) type; Ctrl or Alt alone, or Meta, do not. Modifier keys
// on their own and dead keys type nothing.
bool typesCharacter(const QKeyEvent& event);

// Whether a key is Tab or Shift+Tab as a move between controls: held with no Ctrl, Alt or Meta.
bool isTabKey(const QKeyEvent& event);

} // namespace ui
