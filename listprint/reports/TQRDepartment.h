#pragma once

#include "platform/report/Report.h"

namespace db {
class DataSet;
}

// The list of departments, always titled "Department Listing": name, main extension, fax number and address.
class TQRDepartment : public report::Report
{
    Q_OBJECT

public:
    explicit TQRDepartment(db::DataSet& dataSet, QObject* owner = nullptr);

    report::Control& QRLabelTitle() const { return *m_qrLabelTitle; }

private:
    report::Control* m_qrLabelTitle;
};
