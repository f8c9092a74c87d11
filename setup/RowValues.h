#pragma once

#include "common/TAuxiliarRec.h"
#include "common/TDepartmentRec.h"
#include "common/TEmployeeRec.h"
#include "common/TReportRec.h"
#include "common/TSpecialRec.h"

#include <QStringList>
#include <QVariantList>

// A row type's values in stored field order, as table files take them and text files hold them.
namespace RowValues {

QVariantList of(const TEmployeeRec& row);
QVariantList of(const TDepartmentRec& row);
QVariantList of(const TAuxiliarRec& row);
QVariantList of(const TSpecialRec& row);
QVariantList of(const TReportRec& row);

QStringList texts(const TEmployeeRec& row);
QStringList texts(const TDepartmentRec& row);

} // namespace RowValues
