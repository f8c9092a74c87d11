#pragma once

#include "platform/report/Report.h"

namespace db {
class DataSet;
}

// The short lists of employees picked by title: name, phone, department, cellular and pager.
class TQRShortList : public report::Report
{
    Q_OBJECT

public:
    explicit TQRShortList(db::DataSet& dataSet, QObject* owner = nullptr);

    report::Control& LblReportTitle() const { return *m_lblReportTitle; }

private:
    report::Control* m_lblReportTitle;
};
