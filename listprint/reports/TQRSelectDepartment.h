#pragma once

#include "platform/report/Report.h"

namespace db {
class DataSet;
}

// The employees of one department, titled with the department's name: name, phone, title, cellular and pager.
class TQRSelectDepartment : public report::Report
{
    Q_OBJECT

public:
    explicit TQRSelectDepartment(db::DataSet& dataSet, QObject* owner = nullptr);

    report::Control& QRLabelTitle() const { return *m_qrLabelTitle; }

private:
    report::Control* m_qrLabelTitle;
};
