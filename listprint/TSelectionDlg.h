#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TFrmMain;

namespace ui {
class Bevel;
class DBLookupComboBox;
} // namespace ui

// The department chooser of the one-department list: every department confirmed with OK runs the main window's
// current action for it, and the chooser stays open for the next one until it is cancelled or closed.
class TSelectionDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectionDlg(TFrmMain& owner);
    ~TSelectionDlg() override;

    ui::Bevel* const Bevel1;
    QLabel* const LblSelection;
    ui::DBLookupComboBox* const DBLookupComboBoxSelect;
    QPushButton* const OKBtn;
    QPushButton* const CancelBtn;

    // Fills the department list; called before the chooser is shown.
    void PrepareDepartmentList();
    void OKBtnClick();

private:
    TFrmMain& m_owner;
    bool m_runInProgress = false;
};
