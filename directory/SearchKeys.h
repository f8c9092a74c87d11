#pragma once

// The keys of the incremental search, by virtual-key code.
namespace SearchKeys {

// Whether releasing the key takes the search field's text as the new search text: Backspace, Page Down, Delete,
// the digit and letter keys, the keypad's digits and operators, and the punctuation keys but the semicolon key.
// Space, the semicolon key, Enter, Tab, the arrows and the shift keys leave the search text as it was.
bool takesFieldText(int virtualKey);

} // namespace SearchKeys
