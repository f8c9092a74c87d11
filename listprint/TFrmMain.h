#pragma once

#include "platform/os/FileDialog.h"
#include "platform/os/HelpViewer.h"
#include "platform/os/PrinterHolder.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>

class ImageList;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class TFrmDataMod;

namespace os {
class WindowDirectory;
}

namespace report {
class Report;
}

namespace ui {
class DBGrid;
class DBMemo;
} // namespace ui

// Printroll's main window: the catalogue of printable lists of the employee or the department area with the
// description of the current list, the commands that preview, print or export it, and the way back to the
// directory program. It runs only when started with the launch word.
class TFrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // arguments: the program's command line, the program itself first.
    TFrmMain(TFrmDataMod& dataMod, os::WindowDirectory& windows, QStringList arguments, QWidget* parent = nullptr);
    ~TFrmMain() override;

    QLabel* const Image1;
    ui::DBGrid* const DBGridMain;
    ui::DBMemo* const DBMemoDescription;
    QLabel* const Panel1;
    QMenuBar* const MainMenu1;
    QMenu* const File1;
    QAction* const PrinterSetup1;
    QAction* const PrintListing1;
    QAction* const N1;
    QAction* const Return1;
    QAction* const PrinttoPrinter1;
    QMenu* const Help1;
    QAction* const Content1;
    QAction* const N2;
    QAction* const About1;
    ImageList* const ImageList1;
    QToolBar* const ToolBar1;
    QToolButton* const ToolBtnPreview;
    QToolButton* const ToolBtnPrinter;
    QToolButton* const TooBtnReturn;
    QToolButton* const ToolBtnExport;
    QAction* const ExportToAsciiFile1;
    QWidget* const Panel2;
    QWidget* const Panel3;
    QWidget* const PanelHide;
    QTabWidget* const PageControlMain;
    QWidget* const TabSheetEmployee;
    QWidget* const TabSheetDepartment;

    // The printer that printer set-up chooses and every print uses.
    os::PrinterHolder& PrinterSetupDialog1() { return m_printerSetupDialog1; }
    // The save dialog of the export command.
    os::FileDialog& SaveDialog1() { return m_saveDialog1; }
    os::HelpViewer& helpViewer() { return m_help; }
    TFrmDataMod& dataModule() const { return m_dataMod; }

    // What the next run of a list does: 1 preview, 2 print, 3 export.
    int ReportAction() const { return m_reportAction; }
    void setReportAction(int action) { m_reportAction = action; }
    // The export format: 0 comma, 1 tab.
    int ExportDelimiter() const { return m_exportDelimiter; }
    void setExportDelimiter(int delimiter) { m_exportDelimiter = delimiter; }
    // The file an export writes.
    const QString& ExportFileName() const { return m_exportFileName; }
    void setExportFileName(const QString& fileName) { m_exportFileName = fileName; }

    // Where the shell looks first for the directory program: Printroll's own folder unless set.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormClose();
    void PageControlMainChange();
    void Return1Click();
    void PrinterSetup1Click();
    void Content1Click();
    void About1Click();
    void ToolBtnPreviewClick();
    void PrinttoPrinter1Click();
    void ToolBtnExportClick();
    // Runs the catalogue's current list with the current action.
    void DBGridMainDblClick();

    // True from the start of a list's run to its end; the commands that start a run are disabled meanwhile.
    bool runInProgress() const { return m_runInProgress; }
    // Does the current action with a layout whose rows are open: preview or print it, or call the exporter of
    // the export delimiter.
    void runAction(
        report::Report& layout, const std::function<void()>& exportComma, const std::function<void()>& exportTab);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Exporter = void (*)(TFrmMain&);

    void buildMenus();
    void buildToolBar();
    void buildClientArea();
    void showBackdrop();
    void connectHandlers();

    void runCurrentList();
    template <typename Layout>
    void runEmployeeList(const QStringList& furtherLines, const QString& title, Exporter comma, Exporter tab);
    void runDepartmentList();
    void runDepartmentChooser();
    void setRunInProgress(bool inProgress);

    os::PrinterHolder m_printerSetupDialog1;
    os::FileDialog m_saveDialog1;
    os::HelpViewer m_help;
    TFrmDataMod& m_dataMod;
    os::WindowDirectory& m_windows;
    const QStringList m_arguments;
    QString m_programFolder;
    int m_reportAction = 0;
    int m_exportDelimiter = 0;
    QString m_exportFileName;
    bool m_runInProgress = false;
};
