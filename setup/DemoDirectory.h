#pragma once

#include "common/TDepartmentRec.h"
#include "common/TEmployeeRec.h"

#include <QList>

// The demo directory of a fictional company, Harrowgate Instruments: enough people and departments to try every
// function. It holds numbers that join several numbers (OR, EXT, ";" and ","), voice-mail marks, titles for each
// title-filtered list and titles that those lists leave out (typed in mixed case, or the word in the wrong place),
// a last name for every letter, and one employee whose department has no row of its own.
namespace DemoDirectory {

QList<TDepartmentRec> departments();
QList<TEmployeeRec> employees();

} // namespace DemoDirectory
