// The directory program and the list printer together, each a real program: the links by which they start, raise
// and end each other.
#include "ChildProcess.h"
#include "DirectoryTestEnvironment.h"

#include "directory/TfrmDataMod.h"
#include "directory/TfrmMain.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TFrmMain.h"
#include "platform/db/Session.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/WindowDirectory.h"
#include "platform/ui/Application.h"
#include "platform/modal/ModalRecorder.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>

namespace {

const QString directoryTitle = QStringLiteral("Ringfolio 2.5");
const QString listPrinterTitle = QStringLiteral("Printroll for Ringfolio 2.5");

// A process that has ended, or that only waits to be reaped, is gone.
bool processGone(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return true;
    const QByteArray fields = status.readAll();
    const qsizetype afterName = fields.lastIndexOf(')');
    return afterName > 0 && fields.mid(afterName + 2, 1) == "Z";
}

class BothProgramsTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        // Whatever a test started and did not end.
        for (const QString& title : { listPrinterTitle, directoryTitle }) {
            if (const std::optional<os::WindowHandle> window = m_windows.findWindow(title, Qt::CaseSensitive))
                if (window->process != QCoreApplication::applicationPid())
                    m_windows.postQuit(*window);
        }
        db::Session::defaultSession().RemoveAllPasswords();
    }

    std::optional<os::WindowHandle> waitForWindow(const QString& title)
    {
        std::optional<os::WindowHandle> found;
        const auto appeared = [&] { return (found = m_windows.findWindow(title, Qt::CaseSensitive)).has_value(); };
        return QTest::qWaitFor(appeared, ChildProcess::deadlineMs) ? found : std::nullopt;
    }

    QString binFolder() const { return QCoreApplication::applicationDirPath(); }

    DirectoryTestEnvironment m_environment;
    ui::Application m_application;
    modal::ModalRecorder m_modal;
    os::WindowDirectory m_windows { m_environment.runtimeFolder() };
};

TEST_F(BothProgramsTest, GoToPrintrollStartsItAndClosingTheDirectoryEndsIt)
{
    TfrmDataMod dataModule;
    os::HelpViewer help;
    TfrmMain directory(dataModule, m_windows, help, binFolder());
    directory.show();

    directory.PrintListing1->trigger();
    const std::optional<os::WindowHandle> listPrinter = waitForWindow(listPrinterTitle);
    ASSERT_TRUE(listPrinter) << "the list printer did not come up with the launch word";
    EXPECT_NE(listPrinter->process, QCoreApplication::applicationPid());

    // Asked again, the directory raises the running list printer instead of starting another.
    directory.PrintListing1->trigger();
    ASSERT_TRUE(m_windows.findWindow(listPrinterTitle, Qt::CaseSensitive));
    EXPECT_EQ(m_windows.findWindow(listPrinterTitle, Qt::CaseSensitive)->process, listPrinter->process);

    directory.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return processGone(listPrinter->process); }, ChildProcess::deadlineMs))
        << "the list printer did not end when the directory closed";
    EXPECT_TRUE(m_modal.messages().isEmpty()) << m_modal.messageTexts().join(u'\n').toStdString();
}

TEST_F(BothProgramsTest, ReturnToMainMenuRaisesTheRunningDirectoryAndCloses)
{
    ChildProcess directory;
    ASSERT_TRUE(directory.start(ChildProcess::beside(QStringLiteral("Ringfolio"))));
    ASSERT_TRUE(waitForWindow(directoryTitle)) << directory.output().toStdString();

    TFrmDataMod dataModule;
    TFrmMain listPrinter(dataModule, m_windows, { QStringLiteral("Printroll"), QStringLiteral("Tesk") });
    listPrinter.show();
    ASSERT_TRUE(listPrinter.isVisible());
    listPrinter.TooBtnReturn->click();

    EXPECT_FALSE(listPrinter.isVisible());
    EXPECT_TRUE(directory.running()) << "the list printer must never close the directory program";
    m_windows.postQuit(*m_windows.findWindow(directoryTitle, Qt::CaseSensitive));
    EXPECT_TRUE(directory.waitForExit());
    EXPECT_EQ(directory.exitCode(), 0) << directory.output().toStdString();
}

TEST_F(BothProgramsTest, ReturnToMainMenuStartsTheDirectoryAndStaysOpen)
{
    ASSERT_FALSE(m_windows.findWindow(directoryTitle, Qt::CaseSensitive));
    TFrmDataMod dataModule;
    TFrmMain listPrinter(dataModule, m_windows, { QStringLiteral("Printroll"), QStringLiteral("Tesk") });
    listPrinter.setProgramFolder(binFolder());
    listPrinter.show();
    listPrinter.TooBtnReturn->click();

    const std::optional<os::WindowHandle> directory = waitForWindow(directoryTitle);
    ASSERT_TRUE(directory) << "the directory program was not started";
    EXPECT_TRUE(listPrinter.isVisible());
    m_windows.postQuit(*directory);
    EXPECT_TRUE(QTest::qWaitFor([&] { return processGone(directory->process); }, ChildProcess::deadlineMs));
}

} // namespace
