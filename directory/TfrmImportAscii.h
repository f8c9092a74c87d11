#pragma once

#include "platform/os/FileDialog.h"

#include <QDialog>
#include <QString>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TfrmDataMod;

namespace db {
class DataSource;
} // namespace db

namespace ui {
class Bevel;
class DBGrid;
class DBNavigator;
} // namespace ui

// "Import ASCII File": previews a comma-delimited or fixed-width text file of departments or employees in a grid
// where it can still be corrected, appends it to department.DB or employee.DB, and shows the records refused for a
// key already present so that they can be corrected and imported again.
//
// The chosen file is never touched: a copy of it, with the schema file of its layout, is read from a private
// temporary folder that goes away when the preview ends. The schema files are looked for in the program's folder,
// then in the database folder. The work tables DestTable.db, DupTable.db and TempTable.db all live in the database
// folder, so the import works wherever the alias points and whether or not the program's folder can be written.
class TfrmImportAscii : public QDialog
{
    Q_OBJECT

public:
    enum class RecordKind
    {
        Department,
        Employee,
    };

    // The layouts a radio-group item and a preview button select.
    struct Layout
    {
        QString openTitle; // title of the open dialog
        QString workName; // "\departcom.dll" and so on: the base name of the schema file
        QString importCaption; // "Import Department" or "Import Employee"
    };
    static Layout layoutFor(RecordKind kind, int itemIndex);

    TfrmImportAscii(TfrmDataMod& dataModule, const QString& programFolder, QWidget* owner = nullptr);
    ~TfrmImportAscii() override;

    ui::DBGrid* const DBGrid1;
    QLineEdit* const EditImportRecord;
    QLineEdit* const EditBadRecord;
    QLabel* const Label1;
    QLabel* const Label2;
    os::FileDialog OpenDialog1;
    QGroupBox* const RadioGroup1;
    ui::Bevel* const Bevel1;
    QFrame* const Panel1;
    ui::DBNavigator* const DBNavigator1;
    db::DataSource* const SrcDestTable;
    QLabel* const Label3;
    QLineEdit* const EditDuplicate;
    QLineEdit* const EditStatus;
    QPushButton* const btnDepartment;
    QPushButton* const btnEmployee;
    QPushButton* const btnUpdate;
    QPushButton* const btnDuplicate;
    QPushButton* const btnClose;
    QPlainTextEdit* const Memo1;

    // A previewed file waits to be imported.
    bool ImportPending = false;

    int RadioGroup1ItemIndex() const; // 0 "Comma Delimited", 1 "Fixed Width"
    void setRadioGroup1ItemIndex(int index);
    const QString& OpenDialog1Title() const { return m_openDialogTitle; }

    void PreviewAsciiFile(const QString& workName);

    void btnDepartmentClick();
    void btnEmployeeClick();
    void btnUpdateClick();
    void btnDuplicateClick();
    void btnCloseClick();
    bool FormCloseQuery(); // whether the close may go on
    void FormClose();
    void FormCreate();

    void done(int result) override;

    // Removes what previews of programs that were killed left: work folders and half-built work tables.
    static void removeAbandonedWork();

private:
    void buildDesign();
    void buildCounters();
    void buildButtons();
    void preview(RecordKind kind);
    void previewInto(const QString& chosenFile, const QString& workName);
    QString schemaFileFor(const QString& workName) const;
    void showImportResult(qint64 refused);

    TfrmDataMod& m_dataModule;
    const QString m_programFolder;
    QString m_openDialogTitle;
    QRadioButton* const m_commaDelimited;
    QRadioButton* const m_fixedWidth;
    QButtonGroup* const m_items;
};
