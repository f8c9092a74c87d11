#pragma once

#include "common/TAuxiliarRec.h"
#include "common/TReportRec.h"
#include "common/TSpecialRec.h"

#include <QList>

// The rows every installation brings: the list printer's catalogue, the password that unlocks editing and a few
// dial prefixes.
namespace InstallationData {

QList<TReportRec> reportRows(); // lists 1 to 7
QList<TAuxiliarRec> editPasswords();
QList<TSpecialRec> specialNumbers();

} // namespace InstallationData
