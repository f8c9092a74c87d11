// Copying the record in view to the clipboard.
#include "directory/TfrmMain.h"

#include "directory/TfrmDataMod.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/db/Table.h"
#include "platform/os/Desktop.h"
#include "platform/ui/DBGrid.h"

#include <QStringList>

namespace {

// The fields copied, in the order copied. An employee's e-mail address is never copied.
const QStringList& employeeFields()
{
    static const QStringList fields { QStringLiteral("Name"), QStringLiteral("Extension"), QStringLiteral("Cellular"),
        QStringLiteral("Pager"), QStringLiteral("HomePhone"), QStringLiteral("Title"), QStringLiteral("Department") };
    return fields;
}

const QStringList& departmentFields()
{
    static const QStringList fields { QStringLiteral("Department"), QStringLiteral("MainExtension"),
        QStringLiteral("FaxNumber"), QStringLiteral("Address1"), QStringLiteral("Address2") };
    return fields;
}

// The non-empty values of the current row's fields, each ending in CR LF; empty when every value is empty.
QString recordText(const db::DataSet& dataSet, const QStringList& fields)
{
    QString text;
    for (const QString& name : fields) {
        const QString value = dataSet.FieldByName(name).AsString();
        if (!value.isEmpty())
            text += value + QLatin1String("\r\n");
    }
    return text;
}

} // namespace

void TfrmMain::Copy1Click()
{
    os::clearClipboard();
    QString text;
    if (m_unit.CurrentPage == mainPage::employee) {
        text = recordText(*m_dataModule.TblEmployee1, employeeFields());
    } else if (focusWidget() == DBGridEmployee) {
        // The grid itself, not its cell editor: with a cell open the focus lies on the editor.
        text = recordText(*m_dataModule.TblEmployee2, employeeFields());
    } else {
        text = recordText(*m_dataModule.TblDepartment, departmentFields());
    }
    if (!text.isEmpty())
        os::setClipboardText(text);
}
