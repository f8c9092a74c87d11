#pragma once

#include <QString>

// How the letter lists are filled: the LIKE pattern of a letter tab. The employee list's rows come through a
// NameGridFeed.
namespace LetterListFill {

// The pattern of the letter tab at `tabIndex` (0 "A" to 25 "Z"): the letter followed by "%".
QString pattern(int tabIndex);

} // namespace LetterListFill
