// Printroll's "Printer Setup...": a set-up dialog whose paper and orientation the following prints use.

#include "PrintrollFixture.h"

#include "platform/modal/ModalRecorder.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

namespace {

// What pdfinfo says of the printed file's pages, e.g. "612 x 792 pts (letter)".
QString pageSize(const QString& pdf)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), { pdf });
    EXPECT_TRUE(pdfinfo.waitForFinished(30000)) << "pdfinfo (Debian package poppler-utils) did not run";
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Page size:\\s*([^\\n]*)"))
                                              .match(QString::fromUtf8(pdfinfo.readAllStandardOutput()));
    return match.captured(1).trimmed();
}

QString pdfText(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    EXPECT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (Debian package poppler-utils) did not run";
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

class PrinterSetupTest : public PrintrollFixture
{
protected:
    // Chooses the paper and orientation in the shown set-up dialog as a user would, then presses OK or Cancel.
    void setUpPrinter(const QString& paper, bool landscape, QDialogButtonBox::StandardButton button)
    {
        m_modal.driveDialog([=, this](QDialog& dialog) {
            m_seenTitle = dialog.windowTitle();
            m_seenName = dialog.objectName();
            auto* paperBox = dialog.findChild<QComboBox*>(QStringLiteral("PaperSize"));
            ASSERT_NE(paperBox, nullptr);
            m_seenPaper = paperBox->currentText();
            const int index = paperBox->findText(paper, Qt::MatchStartsWith);
            ASSERT_GE(index, 0) << paper.toStdString();
            paperBox->setCurrentIndex(index);
            QTest::mouseClick(
                dialog.findChild<QRadioButton*>(landscape ? QStringLiteral("Landscape") : QStringLiteral("Portrait")),
                Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
        });
        mainWindow().PrinterSetup1->trigger();
        EXPECT_EQ(m_modal.pendingDrivers(), 0) << "no dialog was shown";
    }

    QString printList()
    {
        QFile::remove(path(QStringLiteral("printed.pdf")));
        selectList(QStringLiteral("Employee Listing"));
        QTest::mouseClick(mainWindow().ToolBtnPrinter, Qt::LeftButton);
        return path(QStringLiteral("printed.pdf"));
    }

    modal::ModalRecorder m_modal;
    QString m_seenTitle;
    QString m_seenName;
    QString m_seenPaper;
};

} // namespace

TEST_F(PrinterSetupTest, TheChosenPaperAndOrientationHoldForTheFollowingPrints)
{
    openMainWindow();
    // Before any set-up the lists print on their own Letter paper.
    EXPECT_TRUE(pageSize(printList()).startsWith(QStringLiteral("612 x 792"))) << pageSize(printList()).toStdString();

    setUpPrinter(QStringLiteral("A4"), true, QDialogButtonBox::Ok);
    EXPECT_EQ(m_seenTitle, QStringLiteral("Printer Setup"));
    EXPECT_EQ(m_seenName, QStringLiteral("PrinterSetupDialog1"));
    EXPECT_TRUE(m_seenPaper.startsWith(QStringLiteral("Letter"))) << m_seenPaper.toStdString();

    // Every following print: A4 turned on its side, the page made smaller to fit it, nothing left off.
    for (int print = 0; print < 2; ++print) {
        const QString pdf = printList();
        EXPECT_TRUE(pageSize(pdf).startsWith(QStringLiteral("842 x 595 "))) << pageSize(pdf).toStdString();
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Employee Listing")));
        EXPECT_TRUE(text.contains(QStringLiteral("ZIMMERMANN, KLAUS")));
        EXPECT_TRUE(text.contains(QStringLiteral("013-0061")));
    }

    // The dialog opens again on the choice in force; cancelled, it changes nothing.
    setUpPrinter(QStringLiteral("A5"), false, QDialogButtonBox::Cancel);
    EXPECT_TRUE(m_seenPaper.startsWith(QStringLiteral("A4"))) << m_seenPaper.toStdString();
    EXPECT_TRUE(pageSize(printList()).startsWith(QStringLiteral("842 x 595 ")));

    setUpPrinter(QStringLiteral("Legal"), false, QDialogButtonBox::Ok);
    EXPECT_TRUE(pageSize(printList()).startsWith(QStringLiteral("612 x 1008")));
}
