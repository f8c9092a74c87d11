#pragma once

#include <QString>
#include <QStringList>

// What dialling makes of a stored number text. Numbers are free text: a value may hold one number, or several
// joined by words and marks such as "OR", "AND", "EXT", ";" or ",". Plain functions over text, so that any
// value, however long or odd, can be checked without a window.
namespace DialText {

// The text with the letters a to z in upper case; every other character stays as it is.
QString upperCase(const QString& number);

// Whether an upper-cased value holds more than one number: it contains "AND", "OR", ";", "," or "EXT" anywhere,
// also inside a longer word.
bool holdsSeveralNumbers(const QString& upper);

// A single number made ready to dial: without "*", blanks and "+". Nothing else is removed.
QString cleaned(const QString& upper);

// A value of several numbers with every separator turned into a comma and "*", blanks and "+" removed.
// Matching ignores the case of the letters a to z; each replacement scans the text once from left to right and
// does not look again at what it has put in.
QString normalised(const QString& numberText);

// The numbers of a normalised text, in the order of the text, each behind the prefix: the text is cut at every
// comma and empty pieces are left out. Equal numbers stay separate entries.
QStringList numbers(const QString& normalisedText, const QString& prefix);

} // namespace DialText
