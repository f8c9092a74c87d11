#pragma once

#include "ScopedEnvironmentVariable.h"
#include "TemporaryAlias.h"
#include "TestFiles.h"

#include "common/DirectoryDatabase.h"
#include "listprint/TFrmDataMod.h"
#include "listprint/TFrmMain.h"
#include "platform/modal/ModalRecorder.h"
#include "platform/os/WindowDirectory.h"
#include "platform/report/ReportOutput.h"

#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <memory>

// A demo directory under the alias "Ringfolio 2.5" in a temporary folder, a window directory of the test's own,
// and Printroll's data module and main window over them. Dialogs and messages go to the recorder, which notes the
// first page of each preview that no queued driver answers, and prints go to a PDF file in the folder.
class PrintrollFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& name) const { return m_alias.path(name); }
    QString databaseFolder() const { return m_alias.folder(); }
    // The environment in which a program started by a test sees this directory and these windows.
    QProcessEnvironment programEnvironment() const;
    os::WindowDirectory& windows() { return *m_windows; }
    // Runs an UPDATE or DELETE on the directory, as another program could meanwhile.
    void execute(const QString& statement) const;

    TFrmMain& openMainWindow(const QStringList& arguments = { QStringLiteral("Printroll"), QStringLiteral("Tesk") });
    TFrmDataMod& dataMod() { return *m_dataMod; }
    TFrmMain& mainWindow() { return *m_mainWindow; }
    // Makes the catalogue row of this list current, on the tab that lists it.
    void selectList(const QString& name);
    void doubleClickCatalogue();
    // Makes the window active, as a user's click would, and returns the widget that has the keyboard focus in it.
    static QWidget* focusIn(QWidget& window);
    // Makes the window active and presses the key in the widget that has the focus, as a keystroke reaches it.
    static void pressIn(QWidget& window, Qt::Key key);

    // The texts of the first page of every preview so far.
    const QList<QStringList>& previews() const { return m_previews; }
    QByteArray printed() const { return readFile(path(QStringLiteral("printed.pdf"))); }

    modal::ModalRecorder m_recorder;

private:
    TemporaryAlias m_alias { DirectoryDatabase::Alias, QStringLiteral("directory") };
    const ScopedEnvironmentVariable m_printToPdf { report::ReportOutput::printToPdfVariable,
        path(QStringLiteral("printed.pdf")) };
    std::unique_ptr<os::WindowDirectory> m_windows;
    std::unique_ptr<TFrmDataMod> m_dataMod;
    std::unique_ptr<TFrmMain> m_mainWindow;
    QList<QStringList> m_previews;
};
