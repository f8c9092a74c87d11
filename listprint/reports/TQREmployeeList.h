#pragma once

#include "platform/report/Report.h"

namespace db {
class DataSet;
}

// The list of all employees: name, phone, cellular, pager and department, under a red letter wherever the first
// letter of the names changes.
class TQREmployeeList : public report::Report
{
    Q_OBJECT

public:
    explicit TQREmployeeList(db::DataSet& dataSet, QObject* owner = nullptr);

    report::Control& LblReportTitle() const { return *m_lblReportTitle; }

private:
    report::Control* m_lblReportTitle;
};
