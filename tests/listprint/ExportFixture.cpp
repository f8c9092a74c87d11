#include "ExportFixture.h"

#include "listprint/TSelectionDlg.h"
#include "platform/ui/DBLookupComboBox.h"

#include <QTest>

void ExportFixture::SetUp()
{
    PrintrollFixture::SetUp();
    execute(QStringLiteral("DELETE FROM employee"));
    execute(QStringLiteral("DELETE FROM department"));
    // Department, Name, Extension, Cellular, Pager, Title
    const QStringList employees {
        "'SALES', 'SMITH, JOHN', '100*', '555-1000', '555-2000', 'V.P. SALES'",
        "'SALES', 'SMITH,JOHN', '101', '', '', 'DIRECTOR OF SALES'",
        "'SALES', ',JOHN', '102', '', '', 'TEAM LEADER'",
        "'SALES', 'PLAIN', '104', '', '', 'VP FINANCE'",
        "'SALES', 'M\u00dcLLER, J\u00d6RG', '105', '', '', 'TEAM LEADER'",
        "'SALES', '\u5c71\u7530, \u592a\u90ce', '106', '', '', 'CLERK'",
        "'ACCOUNTING', 'SMITH,', '103', '', '', 'CONTROLLER'",
        "'ACCOUNTING', 'O\"NEIL, PAT', 'x\"1, 2', 'a\tb', '', 'DIRECTOR'",
        "'ACCOUNTING', 'LEE,X', '107', '', '', 'CLERK'",
    };
    for (const QString& values : employees)
        execute(QStringLiteral("INSERT INTO employee (Department, Name, Extension, Cellular, Pager, Title) VALUES (%1)")
                    .arg(values));
    execute(QStringLiteral("INSERT INTO department (Department, MainExtension, FaxNumber, Address1, Address2) "
                           "VALUES ('ACCOUNTING', '200', '201', '1 Main St', 'Floor 2')"));
    execute(QStringLiteral("INSERT INTO department (Department, MainExtension, FaxNumber, Address1, Address2) "
                           "VALUES ('SALES', '300', '', '5 \"Quay\", Dock', '')"));
}

void ExportFixture::answerChooser(const std::function<void(TSelectionDlg&)>& answer)
{
    m_recorder.driveDialog([answer](QDialog& dialog) {
        auto& chooser = dynamic_cast<TSelectionDlg&>(dialog);
        chooser.DBLookupComboBoxSelect->setFocus();
        ASSERT_EQ(focusIn(chooser), chooser.DBLookupComboBoxSelect);
        answer(chooser);
    });
}

QByteArray ExportFixture::commaLines(const QList<QStringList>& lines)
{
    QByteArray bytes;
    for (const QStringList& line : lines)
        bytes += '"' + line.join(QStringLiteral("\", \"")).toUtf8() + "\"\r\n";
    return bytes;
}

QByteArray ExportFixture::tabLines(const QList<QStringList>& lines)
{
    QByteArray bytes;
    for (const QStringList& line : lines)
        bytes += line.join(u'\t').toUtf8() + "\r\n";
    return bytes;
}
