#pragma once

#include "platform/report/Report.h"

namespace db {
class DataSet;
}

// The extended list: all employees in two columns of name, extension and title under red letters, with date and
// page number on every page. Without employees it still prints one page: title, the first column's headings and
// the footer.
class TQREmployeeExt : public report::Report
{
    Q_OBJECT

public:
    explicit TQREmployeeExt(db::DataSet& dataSet, QObject* owner = nullptr);

    report::Control& LblReportTitle() const { return *m_lblReportTitle; }

private:
    report::Control* m_lblReportTitle;
};
